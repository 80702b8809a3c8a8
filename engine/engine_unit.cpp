#include "engine/engine_unit.h"

#include "builtins.h"
#include "lexlib.h"
#include "symbols.h"

EngineUnit::EngineUnit() {
  ResetScanner();
  FreeSymbols();
  RegisterBuiltins();
}

EngineUnit::~EngineUnit() { FreeSymbols(); }
