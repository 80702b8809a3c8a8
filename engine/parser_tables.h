#pragma once

#include <cassert>

// The LALR(1) tables of the expression grammar (calc.grammar), generated at build time by lalrgen.
// Lookups are linear scans of a state's short action or goto list; the first match wins.

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

#include "calc_tables.h"  // generated: YyNonterminal

extern const YyRule YyRules[];
extern const YyAction YyActions[];
extern const YyGoto YyGotos[];
extern const YyState YyStates[];
extern const int YyStateCount;
extern const int YyRuleCount;

// The action of State on Token, or null when the token is a syntax error there. Inline, as is
// YyFindGoto: the parser looks up every token and every reduction.
inline const YyAction* YyFindAction(int State, int Token) {
  const YyState& S = YyStates[State];
  for (int I = S.FirstAction; I < S.FirstAction + S.ActionCount; ++I) {
    if (YyActions[I].Token == Token) return &YyActions[I];
  }
  return nullptr;
}

// The state entered from State over a reduced Nonterminal. The tables always have one; asserted.
inline int YyFindGoto(int State, int Nonterminal) {
  const YyState& S = YyStates[State];
  for (int I = S.FirstGoto; I < S.FirstGoto + S.GotoCount; ++I) {
    if (YyGotos[I].Nonterminal == Nonterminal) return YyGotos[I].State;
  }
  // The automaton has a goto for every nonterminal that a reduction can uncover State with.
  assert(!"no goto for a reduced nonterminal");
  return -1;
}
