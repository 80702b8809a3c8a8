#include "parser.h"

#include "parser_tables.h"
#include "runtime/float_faults.h"
#include "runtime/math_lib.h"
#include "scanner.h"
#include "symbols.h"
#include "yacclib.h"

Extended ParseValue = 0;
bool ParseAssigned = false;

namespace {

// Runs the action of Rule on its right-hand side values Rhs[0..n-1] ($1 is Rhs[0]) and returns
// the value of its left-hand side. Rules 1 and 2 set the result variables and return Result
// unchanged.
SemanticValue ReduceAction(int Rule, const SemanticValue* Rhs, SemanticValue Result) {
  switch (Rule) {
    case 1:  // input : expr
      ParseValue = Rhs[0].Number;
      ParseAssigned = false;
      break;
    case 2:  // input : VARIABLE '=' expr
      ParseValue = Rhs[2].Number;
      ParseAssigned = true;
      Rhs[0].Symbol->Value = Rhs[2].Number;
      break;
    case 3: Result.Number = CheckedAdd(Rhs[0].Number, Rhs[2].Number); break;
    case 4: Result.Number = CheckedSubtract(Rhs[0].Number, Rhs[2].Number); break;
    case 5: Result.Number = CheckedMultiply(Rhs[0].Number, Rhs[2].Number); break;
    case 6: Result.Number = CheckedDivide(Rhs[0].Number, Rhs[2].Number); break;
    case 7: Result.Number = Math::Power(Rhs[0].Number, Rhs[2].Number); break;
    case 8: Result.Number = Rhs[1].Number; break;                // '+' primary
    case 9: Result.Number = -Rhs[1].Number; break;               // '-' primary
    case 10: Result.Number = Rhs[0].Number; break;               // primary
    case 11: Result.Number = Rhs[0].Number; break;               // NUMBER
    case 12: Result.Number = Rhs[0].Symbol->Value; break;        // VARIABLE
    case 13: Result.Number = Rhs[1].Number; break;               // '(' expr ')'
    case 14: Result.Number = Rhs[0].Symbol->Func1(Rhs[2].Number); break;
    case 15: Result.Number = Rhs[0].Symbol->Func2(Rhs[2].Number, Rhs[4].Number); break;
  }
  return Result;
}

}  // namespace

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
    Values[Count] = ActionValue;
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
        ActionValue = TokenValue;
        continue;
      }
      Rule = Action->Value;
    }
    const int Length = YyRules[Rule].Length;
    ActionValue = ReduceAction(Rule, &Values[Count - Length], ActionValue);
    Count -= Length;
    State = YyFindGoto(States[Count - 1], YyRules[Rule].Lhs);
  }
}
