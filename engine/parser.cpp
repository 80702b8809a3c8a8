#include "parser.h"

#include <cassert>
#include <cstring>

#include "parser_tables.h"
#include "scanner.h"
#include "yacclib.h"

Extended ParseValue = 0;
bool ParseAssigned = false;

// YyRuleAction: the rules' actions, generated from calc.grammar with the headers they need.
#include "calc_actions.inc"

int yyparse() {
  // Both stacks belong to this call and are never allocated; entry I of Values is the value of
  // the grammar symbol by which state States[I] was entered.
  int States[kYyStackSize];
  SemanticValue Values[kYyStackSize];
  int Count = 0;
  int State = 0;
  int Lookahead = -1;
  SemanticValue ActionValue{};

  for (;;) {
    if (Count == kYyStackSize) {
      YaccMessage("yyparse stack overflow");
      return 1;
    }
    States[Count] = State;
    // Values are copied as their bytes: copied as a union, the compiler takes them for Extended
    // and moves them with the x87's 80-bit stores and loads, which cost far more.
    std::memcpy(&Values[Count], &ActionValue, sizeof ActionValue);
    ++Count;

    int Rule = YyStates[State].DefaultRule;
    if (Rule < 0) {
      if (Lookahead < 0) Lookahead = NextToken();
      const YyAction* Action = YyFindAction(State, Lookahead);
      if (Action == nullptr) {
        YaccMessage("syntax error");
        return 1;
      }
      if (Action->Kind == YyAccept) return 0;
      if (Action->Kind == YyShift) {
        State = Action->Value;
        Lookahead = -1;
        std::memcpy(&ActionValue, &TokenValue, sizeof ActionValue);
        continue;
      }
      Rule = Action->Value;
    }
    assert(Rule > 0 && Rule < YyRuleCount);  // rule 0 is only ever accepted
    const int Length = YyRules[Rule].Length;
    assert(Length < Count);  // the state below the right-hand side stays
    ActionValue = YyRuleAction(Rule, &Values[Count - Length], ActionValue);
    Count -= Length;
    State = YyFindGoto(States[Count - 1], YyRules[Rule].Lhs);
  }
}
