#pragma once

#include <string>

// What lalrgen makes of a grammar text, read as the file "test.grammar"; the actions are written
// as if to "test_actions.inc".
struct Generated {
  bool Ok = false;
  std::string Errors;   // one "test.grammar:line: message" per error
  std::string Report;   // the automaton state by state; empty unless the grammar was read and built
  std::string Tables;   // the C++ tables; likewise
  std::string Tokens;   // the token enumeration; likewise
  std::string Actions;  // the reduce step with the rules' actions; likewise
};

Generated Generate(const std::string& GrammarText);
