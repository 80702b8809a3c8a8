#include "parser_tables.h"

#include <cassert>

#include "calc_tables.inc"  // generated: the table definitions

const YyAction* YyFindAction(int State, int Token) {
  const YyState& S = YyStates[State];
  for (int I = S.FirstAction; I < S.FirstAction + S.ActionCount; ++I) {
    if (YyActions[I].Token == Token) return &YyActions[I];
  }
  return nullptr;
}

int YyFindGoto(int State, int Nonterminal) {
  const YyState& S = YyStates[State];
  for (int I = S.FirstGoto; I < S.FirstGoto + S.GotoCount; ++I) {
    if (YyGotos[I].Nonterminal == Nonterminal) return YyGotos[I].State;
  }
  // The automaton has a goto for every nonterminal that a reduction can uncover State with.
  assert(!"no goto for a reduced nonterminal");
  return -1;
}
