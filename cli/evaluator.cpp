#include "evaluator.h"

#include <cstdio>

#include "runtime/cp932.h"
#include "runtime/float_to_str.h"

Evaluator::Evaluator() {
  Compo.OnCalcSuccess = [](TExprCompo& Sender) {
    const std::string Text = FloatToStr(Sender.Value(), ".");
    std::fwrite(Text.data(), 1, Text.size(), stdout);
    std::fputc('\n', stdout);
  };
}

bool Evaluator::Evaluate(std::string_view Utf8Expression) {
  try {
    Compo.Expression = Utf8ToCp932(Utf8Expression);
    Compo.Calculate();
    return Compo.Valid();
  } catch (const Exception& Error) {
    std::fflush(stdout);  // keep the order of lines when both streams go to one place
    std::fprintf(stderr, "vellox-calc: %s\n", Error.what());
    return false;
  }
}
