#include "scanner.h"

#include <cassert>

#include "lexlib.h"
#include "runtime/str_to_extended.h"
#include "scanner_automaton.h"
#include "symbols.h"

SemanticValue TokenValue;

namespace {

// Enters a state: every rule ending in it is marked with the current length and pushed, the
// highest number first so that the lowest lies on top.
void EnterState(const ScanState& State) {
  for (size_t I = State.EndingRules.size(); I-- > 0;) {
    if (State.EndingRules[I] != 0) LexMatch(State.EndingRules[I]);
  }
}

int NextState(const ScanState& State, unsigned char Byte) {
  for (const auto& Transition : State.Transitions) {
    if (Transition.Target < 0) break;
    if (Transition.On.Has(Byte)) return Transition.Target;
  }
  return -1;
}

// Reads the longest text that a rule matches and returns the rule, or 0 at the end of the input.
int MatchToken() {
  LexStartToken();
  const ScanState* State = &ScanStateAt(kScanStartState);
  for (;;) {
    EnterState(*State);
    if (State->Transitions[0].Target < 0) break;
    const unsigned char Byte = LexReadByte();
    TokenText.push_back(static_cast<char>(Byte));
    const int Target = NextState(*State, Byte);
    if (Target < 0) break;
    State = &ScanStateAt(Target);
  }
  return LexSelect();
}

int IdentifierToken(const TSymData& Symbol) {
  switch (Symbol.Kind) {
    case skVariable: return VARIABLE;
    case skReserved: return RESERVED_ID;
    case skFunction1: return FUNC1;
    case skFunction2: return FUNC2;
  }
  assert(!"a symbol of no kind");
  return VARIABLE;
}

}  // namespace

int NextToken() {
  for (;;) {
    switch ([[maybe_unused]] const int Rule = MatchToken()) {
      case 0:  // only the end marker was left
        ResetScanner();
        return END_OF_INPUT;
      case srBlank:
        continue;
      case srNumber:
        TokenValue.Number = StrToExtended(TokenText);
        return NUMBER;
      case srIdentifier:
        TokenValue.Symbol = FindOrCreateSymbol(TokenText);
        return IdentifierToken(*TokenValue.Symbol);
      case srPower:
        return POWER;
      case srLineFeed:
        return ILLEGAL;
      default:
        assert(Rule == srAnyByte);
        return static_cast<unsigned char>(TokenText[0]);
    }
  }
}

size_t TokenPosition() { return LexPosition() - TokenText.size(); }
