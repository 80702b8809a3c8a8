#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// A context-free grammar with yacc-style declarations, precedence and actions, as read from a
// grammar file.
enum class Associativity { None, Left, Right, NonAssoc };

struct GrammarSymbol {
  std::string Name;    // "NUMBER", "'+'" or "expr"
  bool Terminal = false;
  int Code = -1;       // token code of a terminal
  int Precedence = 0;  // 0: none; higher binds tighter
  Associativity Assoc = Associativity::None;
  std::string Type{};  // the member of the value type that holds its value; empty: none
};

struct GrammarRule {
  int Lhs = -1;             // nonterminal symbol index
  std::vector<int> Rhs;     // symbol indices
  int Precedence = 0;       // of the rightmost terminal with a precedence
  Associativity Assoc = Associativity::None;
  int Line = 0;             // line of the grammar file where the rule begins, for messages
  std::string Action;       // the action's code with its braces, $$ and $k as written
  int ActionLine = 0;       // line of the action's opening brace
};

struct Grammar {
  std::string Source;                  // the grammar file's name, for messages
  std::string Prologue;                // the code between %{ and %}, for the actions file
  int PrologueLine = 0;                // line of the prologue's first line
  std::string ValueType = "int";       // the type of one entry of the parser's value stack
  std::vector<GrammarSymbol> Symbols;  // symbol 0 is end of input, symbol 1 the augmented start
  std::vector<GrammarRule> Rules;      // rule 0 is $accept -> start
  int EndSymbol = 0;
  int AcceptSymbol = 1;

  int Find(const std::string& Name) const {
    for (size_t I = 0; I < Symbols.size(); ++I) {
      if (Symbols[I].Name == Name) return static_cast<int>(I);
    }
    return -1;
  }
  bool IsTerminal(int Symbol) const { return Symbols[static_cast<size_t>(Symbol)].Terminal; }
  const std::string& Name(int Symbol) const { return Symbols[static_cast<size_t>(Symbol)].Name; }

  // "expr : expr '+' expr"
  std::string Production(int Rule) const {
    const GrammarRule& R = Rules[static_cast<size_t>(Rule)];
    std::string Text = Name(R.Lhs) + " :";
    for (int S : R.Rhs) Text += " " + Name(S);
    return Text;
  }

  // "rule 3 (expr : expr '+' expr)", for messages.
  std::string RuleText(int Rule) const {
    return "rule " + std::to_string(Rule) + " (" + Production(Rule) + ")";
  }
};

// Reads a grammar from In. Each error goes to Errors as one line "Source:line: message"; returns
// false when there was any.
bool ReadGrammar(std::istream& In, const std::string& Source, Grammar& Result, std::ostream& Errors);
