#pragma once

#include "runtime/extended.h"

// Elementary functions of the run-time library, operations of the processor and the math library.
// All of them compute at Extended precision and leave an invalid operation, a division by zero or
// an overflow pending in the floating-point flags; callers raise it with CheckedCall
// (float_faults.h), as the checked operators do for their own faults.
Extended Sin(Extended X);
Extended Cos(Extended X);
Extended Exp(Extended X);

// The processor's Y × log2(X) (FYL2X), its square root (FSQRT) and its two-argument arctangent
// of Y over X (FPATAN).
Extended ScaledLog2(Extended Y, Extended X);
Extended SquareRoot(Extended X);
Extended ArcTan2(Extended Y, Extended X);

// The math library.
namespace Math {
Extended Tan(Extended X);
Extended ArcSin(Extended X);
Extended ArcCos(Extended X);
Extended Log10(Extended X);
Extended Power(Extended Base, Extended Exponent);
}  // namespace Math
