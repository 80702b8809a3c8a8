#pragma once

#include <iosfwd>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "grammar.h"

enum class ActionKind { Shift, Reduce, Accept };

struct ParseAction {
  int Terminal;  // symbol index
  ActionKind Kind;
  int Value;     // target state of a shift, rule of a reduction
};

using Item = std::pair<int, int>;  // rule, position of the dot

struct LalrState {
  std::vector<Item> Kernel;
  std::map<int, int> Transitions;  // symbol index -> state
  std::vector<ParseAction> Actions;  // after precedence resolution, in token-code order
  int DefaultRule = -1;  // set where the one possible action is a reduction
  // Terminals that %nonassoc made syntax errors here. The state must read its lookahead to see
  // them, so it has no default reduction.
  std::vector<int> NonassocErrors;
  std::vector<std::string> Notes;  // conflicts resolved by precedence, for the report
};

// Builds the LALR(1) automaton: the LR(0) states, numbered in order of discovery from the start
// state, with the lookaheads of the canonical LR(1) states merged by core. Shift/reduce conflicts
// are resolved by precedence and associativity as yacc does; a conflict that precedence does not
// resolve, or any reduce/reduce conflict, is reported on Errors as "file:line: message" at the line
// of its rule (of the later rule for two reductions) and makes the build fail.
bool BuildLalrAutomaton(const Grammar& G, std::vector<LalrState>& States, std::ostream& Errors);
