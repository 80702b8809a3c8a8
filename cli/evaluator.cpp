#include "evaluator.h"

#include <cstdio>
#include <string>

#include "engine/typed_expression.h"
#include "runtime/cp932.h"
#include "runtime/float_to_str.h"
#include "runtime/std_output.h"

Evaluator::Evaluator() {
  Compo.OnCalcSuccess = [](TExprCompo& Sender) { WriteStdOutLine(FloatToStr(Sender.Value(), ".")); };
}

bool Evaluator::Evaluate(std::string_view Utf8Expression) {
  try {
    // The engine reads up to the first NUL: the rest of the line would be dropped unseen.
    if (const size_t Nul = Utf8Expression.find('\0'); Nul != std::string_view::npos) {
      throw EConvertError("A NUL character at byte " + std::to_string(Nul + 1) + " of the text");
    }
    // Read as the strip reads it, "." being the decimal point in every locale: ";" separates a
    // function's arguments, and a printed number such as "1E20" reads back.
    const TTypedExpression<char> Folded = FoldTypedExpression(Utf8Expression);
    try {
      Compo.Expression = Utf8ToCp932(Folded.Text);
    } catch (const EConvertError&) {
      // The fold touches only ASCII, so the typed text fails at the same character, and its
      // conversion names the byte where it was typed, not where the fold moved it.
      Utf8ToCp932(Utf8Expression);
      throw;
    }
    Compo.Calculate();
    return Compo.Valid();
  } catch (const Exception& Error) {
    std::fflush(stdout);  // keep the order of lines when both streams go to one place
    std::fprintf(stderr, "vellox-calc: %s\n", Error.what());
    return false;
  }
}
