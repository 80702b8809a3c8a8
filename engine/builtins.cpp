#include "builtins.h"

#include "runtime/float_faults.h"
#include "runtime/math_lib.h"
#include "symbols.h"

namespace {

// The engine's own computations. Like the math library's functions they compute at full Extended
// precision and leave an invalid operation, a division by zero or an overflow pending.
Extended Square(Extended X) { return X * X; }

// ln x = ln 2 × log2 x, by the processor's Y × log2(X).
Extended Ln(Extended X) {
  constexpr Extended Ln2 = 0.693147180559945309417232121458176568L;
  return ScaledLog2(Ln2, X);
}

// The arctangent of X over 1: from -pi/2 to pi/2, and never a fault for a finite X.
Extended ArcTan(Extended X) { return ArcTan2(X, 1.0L); }

// Every built-in is its computation run through the one fault check, which raises a pending fault
// before the built-in returns, so the fault is reported by the built-in that caused it.
template <ExtendedFunction1 Compute>
Extended Checked1(Extended X) {
  return CheckedCall(Compute, X);
}

template <ExtendedFunction2 Compute>
Extended Checked2(Extended First, Extended Second) {
  return CheckedCall(Compute, First, Second);
}

struct Builtin {
  const char* Name;
  TSymFuncRef Func;  // its shape gives the kind: one argument or two
};

// In the order the symbol table receives them.
constexpr Builtin kBuiltins[] = {
    {"SIN", Checked1<Sin>},
    {"COS", Checked1<Cos>},
    {"TAN", Checked1<Math::Tan>},
    {"LN", Checked1<Ln>},
    {"EXP", Checked1<Exp>},
    {"SQR", Checked1<Square>},
    {"SQRT", Checked1<SquareRoot>},
    {"ARCSIN", Checked1<Math::ArcSin>},
    {"ARCCOS", Checked1<Math::ArcCos>},
    {"ARCTAN", Checked1<ArcTan>},
    {"LOG10", Checked1<Math::Log10>},
    {"POWER", Checked2<Math::Power>},
};

}  // namespace

void RegisterBuiltins() {
  for (const auto& [Name, Func] : kBuiltins) {
    AddFunction(Name, Func, Func.One != nullptr ? skFunction1 : skFunction2);
  }
}
