#pragma once

#include <iosfwd>
#include <string>
#include <vector>

#include "grammar.h"
#include "lalr_automaton.h"

// The tables as C++ definitions of the arrays that the parser's table header declares
// (YyRules, YyActions, YyGotos, YyStates) plus an enumeration of the nonterminals.
void WriteTables(const Grammar& G, const std::vector<LalrState>& States, const std::string& Source,
                 std::ostream& Out);

// The token codes as an enumeration TokenCode: END_OF_INPUT (0), ERROR_TOKEN (256) and every
// %token in the order declared, so that the scanner and the tests take them from the grammar.
void WriteTokens(const Grammar& G, const std::string& Source, std::ostream& Out);

// The nonterminals' numbers as an enumeration YyNonterminal (YyNt_<name>).
void WriteHeader(const Grammar& G, const std::string& Source, std::ostream& Out);

// A readable description of every state: its kernel items, actions and gotos.
void WriteReport(const Grammar& G, const std::vector<LalrState>& States, std::ostream& Out);
