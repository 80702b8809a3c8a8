#include "runtime/math_lib.h"

#include <cmath>

Extended Sin(Extended X) { return sinl(X); }

Extended Cos(Extended X) { return cosl(X); }

Extended Exp(Extended X) { return expl(X); }

Extended ScaledLog2(Extended Y, Extended X) {
  Extended Result;
  // FYL2X takes X in st(0) and Y in st(1), pops both and pushes Y × log2(X).
  asm("fyl2x" : "=t"(Result) : "0"(X), "u"(Y) : "st(1)");
  return Result;
}

Extended SquareRoot(Extended X) {
  Extended Result;
  asm("fsqrt" : "=t"(Result) : "0"(X));
  return Result;
}

Extended ArcTan2(Extended Y, Extended X) {
  Extended Result;
  // FPATAN takes X in st(0) and Y in st(1), pops both and pushes the arctangent of Y / X.
  asm("fpatan" : "=t"(Result) : "0"(X), "u"(Y) : "st(1)");
  return Result;
}

namespace Math {

Extended Tan(Extended X) { return tanl(X); }

Extended ArcSin(Extended X) { return asinl(X); }

Extended ArcCos(Extended X) { return acosl(X); }

Extended Log10(Extended X) { return log10l(X); }

Extended Power(Extended Base, Extended Exponent) { return powl(Base, Exponent); }

}  // namespace Math
