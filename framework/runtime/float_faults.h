#pragma once

#include "runtime/extended.h"

// Checked Extended arithmetic. Invalid operation, division by zero and overflow end the computation
// at once with EInvalidOp, EZeroDivide or EOverflow; underflow, denormal operands and inexact results
// stay quiet. Each checked operation raises what its own computation set, so a fault is reported
// by the operation that caused it and by no later one; a flag that earlier code left set is
// cleared, not blamed on it.

// Raises the exception of a pending fault (invalid operation before division by zero before
// overflow) after clearing the flags; does nothing when none is pending.
void RaiseFloatFaults();

Extended CheckedAdd(Extended Left, Extended Right);
Extended CheckedSubtract(Extended Left, Extended Right);
Extended CheckedMultiply(Extended Left, Extended Right);
Extended CheckedDivide(Extended Left, Extended Right);

using ExtendedFunction1 = Extended (*)(Extended);
using ExtendedFunction2 = Extended (*)(Extended, Extended);

// Calls a function of the math library with the same checking as the operators.
Extended CheckedCall(ExtendedFunction1 Function, Extended X);
Extended CheckedCall(ExtendedFunction2 Function, Extended X, Extended Y);
