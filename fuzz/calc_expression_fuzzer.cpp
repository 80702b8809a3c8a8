// libFuzzer target: evaluates arbitrary bytes as one expression. The input is read as a
// zero-terminated byte string, like every caller's text; a zero byte inside it ends the
// expression there. Syntax errors, scanner limits and floating-point faults are the engine's
// ordinary answers (Exception); anything else that escapes, a crash or a sanitizer report is a
// finding.
//
// When the run ends it tells on standard error how many inputs reached each of the scanner's
// limits, or that one was never reached: a replay of the seed corpus must reach them all.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "builtins.h"
#include "calc_expression.h"
#include "lexlib.h"
#include "runtime/exceptions.h"
#include "stdout_silencer.h"
#include "symbols.h"

namespace {

struct LimitTally {
  ELexLimit::TLimit Limit;
  const char* Message;  // as the scanner names the limit
  size_t Inputs;        // how many inputs reached it
};
LimitTally ScannerLimits[] = {{ELexLimit::TLimit::MatchStack, "match stack overflow", 0},
                              {ELexLimit::TLimit::InputBuffer, "input buffer overflow", 0}};

void CountLimit(const ELexLimit& Reached) {
  for (LimitTally& Tally : ScannerLimits) {
    if (Tally.Limit == Reached.Limit()) ++Tally.Inputs;
  }
}

void ReportLimits() {
  for (const LimitTally& Tally : ScannerLimits) {
    if (Tally.Inputs == 0) {
      std::fprintf(stderr, "scanner limit never reached: %s\n", Tally.Message);
    } else {
      std::fprintf(stderr, "scanner limit reached by %zu inputs: %s\n", Tally.Inputs, Tally.Message);
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceStandardOutput();
  std::atexit(ReportLimits);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // A fresh table per input keeps each run reproducible on its own and stops the table from
  // growing with every random name the fuzzer invents.
  FreeSymbols();
  RegisterBuiltins();
  ResetScanner();
  const std::string Text(reinterpret_cast<const char*>(Data), Size);
  Extended Value = 0;
  bool Assignment = false;
  try {
    CalcExpression(Text.c_str(), Value, Assignment);
    // The same text again: now every variable it names exists, which takes other paths
    // through the symbol table.
    CalcExpression(Text.c_str(), Value, Assignment);
  } catch (const ELexLimit& Limit) {
    CountLimit(Limit);
  } catch (const Exception&) {
  }
  return 0;
}
