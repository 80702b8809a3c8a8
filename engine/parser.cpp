#include "parser.h"

#include <cassert>
#include <cstring>

#include "parser_tables.h"
#include "scanner.h"
#include "unassigned_reads.h"
#include "yacclib.h"

Extended ParseValue = 0;
bool ParseAssigned = false;
TParseError ParseError = peNone;
size_t ParseErrorPosition = 0;

namespace {

// Ends a parse that failed: the parser's message, and why and where it stopped.
int Reject(TParseError Error, const char* Message) {
  YaccMessage(Message);
  ParseError = Error;
  ParseErrorPosition = TokenPosition();
  return 1;
}

}  // namespace

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
  BeginUnassignedReads();

  for (;;) {
    if (Count == kYyStackSize) return Reject(peStackOverflow, "yyparse stack overflow");
    States[Count] = State;
    // Values are copied as their bytes: copied as a union, the compiler takes them for Extended
    // and moves them with the x87's 80-bit stores and loads, which cost far more.
    std::memcpy(&Values[Count], &ActionValue, sizeof ActionValue);
    ++Count;

    int Rule = YyStates[State].DefaultRule;
    if (Rule < 0) {
      if (Lookahead < 0) Lookahead = NextToken();
      const YyAction* Action = YyFindAction(State, Lookahead);
      if (Action == nullptr) return Reject(peSyntaxError, "syntax error");
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
