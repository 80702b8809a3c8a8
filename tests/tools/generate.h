#pragma once

#include <string>

// What lalrgen makes of a grammar text, read as the file "test.grammar".
struct Generated {
  bool Ok = false;
  std::string Errors;  // one "test.grammar:line: message" per error
  std::string Report;  // the automaton state by state; empty unless Ok
  std::string Tables;  // the C++ tables; empty unless Ok
};

Generated Generate(const std::string& GrammarText);
