#pragma once

#include <string_view>

#include "engine/expr_compo.h"

// Evaluates expressions one after another on the engine, as vellox-calc shows them: the value on
// one line of standard output; after a syntax error or parser stack overflow only the parser's
// own line; after a fault, a scanner limit, text with no Shift-JIS form or with a NUL, one line
// "vellox-calc: <message>" on standard error. Variables carry over from one expression to the next.
class Evaluator {
public:
  Evaluator();

  // Evaluates one expression given as UTF-8 text; true when it evaluated.
  bool Evaluate(std::string_view Utf8Expression);

private:
  TExprCompo Compo;
};
