#include "builtins.h"

#include "runtime/float_faults.h"
#include "runtime/math_lib.h"
#include "symbols.h"

namespace {

// The engine's own built-ins. Each computes at full Extended precision and raises a pending
// invalid operation, division by zero or overflow before it returns, so the fault is reported by
// the built-in that caused it.
Extended BuiltinSin(Extended X) { return CheckedCall(Sin, X); }
Extended BuiltinCos(Extended X) { return CheckedCall(Cos, X); }
Extended BuiltinExp(Extended X) { return CheckedCall(Exp, X); }
Extended BuiltinSqr(Extended X) { return CheckedMultiply(X, X); }
Extended BuiltinSqrt(Extended X) { return CheckedCall(SquareRoot, X); }

// ln x = ln 2 × log2 x, by the processor's Y × log2(X).
Extended BuiltinLn(Extended X) {
  constexpr Extended Ln2 = 0.693147180559945309417232121458176568L;
  return CheckedCall(ScaledLog2, Ln2, X);
}

// The arctangent of X over 1: from -pi/2 to pi/2, and never a fault for a finite X.
Extended BuiltinArcTan(Extended X) { return CheckedCall(ArcTan2, X, 1.0L); }

}  // namespace

void RegisterBuiltins() {
  AddFunction("SIN", BuiltinSin, skFunction1);
  AddFunction("COS", BuiltinCos, skFunction1);
  AddFunction("TAN", Math::Tan, skFunction1);
  AddFunction("LN", BuiltinLn, skFunction1);
  AddFunction("EXP", BuiltinExp, skFunction1);
  AddFunction("SQR", BuiltinSqr, skFunction1);
  AddFunction("SQRT", BuiltinSqrt, skFunction1);
  AddFunction("ARCSIN", Math::ArcSin, skFunction1);
  AddFunction("ARCCOS", Math::ArcCos, skFunction1);
  AddFunction("ARCTAN", BuiltinArcTan, skFunction1);
  AddFunction("LOG10", Math::Log10, skFunction1);
  AddFunction("POWER", Math::Power, skFunction2);
}
