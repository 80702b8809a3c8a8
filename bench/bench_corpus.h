#pragma once

#include <string>
#include <vector>

// The expressions the benchmark evaluates, by kind. Every one of them evaluates without error.
struct BenchCorpus {
  std::vector<std::string> ShortSums;     // "1+2", "3.25-0.5+7"
  std::vector<std::string> Nested;        // deeply nested parentheses
  std::vector<std::string> Functions;     // calls of the built-in functions
  std::vector<std::string> Assignments;   // "x = ...", reading earlier variables
  std::vector<std::string> Long;          // 2000 to 2100 bytes, around the scanner's 2048-byte chunk
  std::vector<std::string> Plain;         // "37.205 * (4.07E-3 - 12) / 8", 1 to 4 levels deep

  // All of the above but Plain, interleaved.
  std::vector<std::string> Mixed() const;
};

BenchCorpus MakeBenchCorpus();
