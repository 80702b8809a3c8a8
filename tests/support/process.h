#pragma once

#include <string>
#include <vector>

// Runs a program with the given arguments and standard input, and collects what it wrote.
struct ProcessResult {
  std::string Stdout;
  std::string Stderr;
  int ExitCode = -1;  // -1 when the program did not exit normally
};

ProcessResult RunProcess(const std::vector<std::string>& Arguments, const std::string& Input = "");
