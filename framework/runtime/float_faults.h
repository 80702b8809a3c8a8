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

enum class ExtendedOperator { Add, Subtract, Multiply, Divide };

// The operators are inline: an operation is a few instructions on the x87 registers, where a call
// would pass both operands and the result through memory.
template <ExtendedOperator Operator>
Extended CheckedOperator(Extended Left, Extended Right);

inline Extended CheckedAdd(Extended Left, Extended Right) {
  return CheckedOperator<ExtendedOperator::Add>(Left, Right);
}
inline Extended CheckedSubtract(Extended Left, Extended Right) {
  return CheckedOperator<ExtendedOperator::Subtract>(Left, Right);
}
inline Extended CheckedMultiply(Extended Left, Extended Right) {
  return CheckedOperator<ExtendedOperator::Multiply>(Left, Right);
}
inline Extended CheckedDivide(Extended Left, Extended Right) {
  return CheckedOperator<ExtendedOperator::Divide>(Left, Right);
}

using ExtendedFunction1 = Extended (*)(Extended);
using ExtendedFunction2 = Extended (*)(Extended, Extended);

// Calls a function of the math library with the same checking as the operators.
Extended CheckedCall(ExtendedFunction1 Function, Extended X);
Extended CheckedCall(ExtendedFunction2 Function, Extended X, Extended Y);

namespace FloatFaultsDetail {

// FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW, the bits of these faults in the x87 status word.
constexpr unsigned kFaultBits = 0x01 | 0x04 | 0x08;

// Reading the status word takes one instruction; clearing the flags (feclearexcept) rewrites the
// whole x87 environment and costs many times an addition. So a checked operation does not clear
// before it computes: it reads the flags after it, and only when one is set, which is rare, clears
// them and computes again (Recheck), so that a flag left by earlier code is never blamed on it.

// X, hidden from the optimizer: an operation on it cannot be folded at compile time, nor moved
// before the flag reads of earlier operations (volatile asm statements keep their order).
inline Extended Opaque(Extended X) {
  asm volatile("" : "+t"(X));
  return X;
}

// The x87 fault flags once Result has been computed: Result is an input of the read, so the
// computation cannot be moved after it.
inline unsigned X87FaultsAfter(Extended Result) {
  unsigned short Status;
  asm volatile("fnstsw %0" : "=a"(Status) : "f"(Result));
  return Status & kFaultBits;
}

// Clears the flags, computes Left Operator Right again and raises what that computation set.
Extended Recheck(ExtendedOperator Operator, Extended Left, Extended Right);

}  // namespace FloatFaultsDetail

template <ExtendedOperator Operator>
Extended CheckedOperator(Extended Left, Extended Right) {
  using namespace FloatFaultsDetail;
  const Extended A = Opaque(Left), B = Opaque(Right);
  Extended Result;
  if constexpr (Operator == ExtendedOperator::Add) Result = A + B;
  if constexpr (Operator == ExtendedOperator::Subtract) Result = A - B;
  if constexpr (Operator == ExtendedOperator::Multiply) Result = A * B;
  if constexpr (Operator == ExtendedOperator::Divide) Result = A / B;
  if (X87FaultsAfter(Result) == 0) [[likely]] return Result;
  return Recheck(Operator, Left, Right);
}
