// libFuzzer target: evaluates arbitrary bytes as one expression. The input is read as a
// zero-terminated byte string, like every caller's text; a zero byte inside it ends the
// expression there. Syntax errors, scanner limits and floating-point faults are the engine's
// ordinary answers (Exception); anything else that escapes, a crash or a sanitizer report is a
// finding.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "builtins.h"
#include "calc_expression.h"
#include "lexlib.h"
#include "runtime/exceptions.h"
#include "symbols.h"
#include "stdout_silencer.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  SilenceStandardOutput();
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
  } catch (const Exception&) {
  }
  return 0;
}
