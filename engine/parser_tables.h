#pragma once

#include <cassert>

// The LALR(1) tables of the expression grammar (calc.grammar), generated at build time by lalrgen:
// each state's action and goto lists, and the same laid out for direct indexing, so that a lookup
// is one step instead of a scan of the list (on a token that a state's list holds twice, the first
// action wins either way).

enum YyActionKind : short { YyShift, YyReduce, YyAccept };

struct YyRule {
  short Lhs;     // nonterminal number; -1 for the augmented start rule 0
  short Length;  // symbols on the right-hand side
};

struct YyAction {
  short Token;  // token code
  YyActionKind Kind;
  short Value;  // target state of a shift, rule of a reduction
};

struct YyGoto {
  short Nonterminal;
  short State;
};

struct YyState {
  short DefaultRule;  // reduce by it without reading a token; -1: consult the action list
  short FirstAction, ActionCount;
  short FirstGoto, GotoCount;
};

#include "calc_tables.h"  // generated: YyNonterminal, YyTokenLimit, YyColumnCount, YyNonterminalCount

extern const YyRule YyRules[];
extern const YyAction YyActions[];
extern const YyGoto YyGotos[];
extern const YyState YyStates[];
extern const int YyStateCount;
extern const int YyRuleCount;

// For direct indexing: the column of a token code (0: a token the grammar does not use), for
// each state and column the index of the action in YyActions (-1: a syntax error), and for each
// state and nonterminal the state its goto enters (-1: none).
extern const short YyTokenColumn[YyTokenLimit];
extern const short YyActionIndex[][YyColumnCount];
extern const short YyGotoState[][YyNonterminalCount];

// The action of State on Token, or null when the token is a syntax error there. Inline, as is
// YyFindGoto: the parser looks up every token and every reduction.
inline const YyAction* YyFindAction(int State, int Token) {
  if (Token < 0 || Token >= YyTokenLimit) return nullptr;
  const int Index = YyActionIndex[State][YyTokenColumn[Token]];
  return Index < 0 ? nullptr : &YyActions[Index];
}

// The state entered from State over a reduced Nonterminal. The tables always have one; asserted.
inline int YyFindGoto(int State, int Nonterminal) {
  const int Target =
      Nonterminal >= 0 && Nonterminal < YyNonterminalCount ? YyGotoState[State][Nonterminal] : -1;
  // The automaton has a goto for every nonterminal that a reduction can uncover State with.
  assert(Target >= 0 && "no goto for a reduced nonterminal");
  return Target;
}
