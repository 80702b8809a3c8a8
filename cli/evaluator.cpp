#include "evaluator.h"

#include <algorithm>
#include <cstdio>
#include <string>

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
    Compo.Expression = Utf8ToCp932(Utf8Expression);
    // ";" separates a function's arguments as "," does, as in the strip (where "," may be a decimal
    // point); numbers keep ".". No Shift-JIS trail byte is a ";", so each one is the character.
    std::replace(Compo.Expression.begin(), Compo.Expression.end(), ';', ',');
    Compo.Calculate();
    return Compo.Valid();
  } catch (const Exception& Error) {
    std::fflush(stdout);  // keep the order of lines when both streams go to one place
    std::fprintf(stderr, "vellox-calc: %s\n", Error.what());
    return false;
  }
}
