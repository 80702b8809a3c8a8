#pragma once

#include "runtime/extended.h"

// Elementary functions of the run-time library and operations of the processor. They compute at
// Extended precision and leave a fault pending in the floating-point flags; callers check it
// (see float_faults.h).
Extended Sin(Extended X);
Extended Cos(Extended X);
Extended Exp(Extended X);

// The processor's Y × log2(X) (FYL2X), its square root (FSQRT) and its two-argument arctangent
// of Y over X (FPATAN).
Extended ScaledLog2(Extended Y, Extended X);
Extended SquareRoot(Extended X);
Extended ArcTan2(Extended Y, Extended X);

// The math library. Each function checks its own result: an invalid operation, a division by zero
// or an overflow raises EInvalidOp, EZeroDivide or EOverflow before it returns.
namespace Math {
Extended Tan(Extended X);
Extended ArcSin(Extended X);
Extended ArcCos(Extended X);
Extended Log10(Extended X);
Extended Power(Extended Base, Extended Exponent);
}  // namespace Math
