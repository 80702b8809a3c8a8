#include "runtime/float_faults.h"

#include <cfenv>

#include "runtime/exceptions.h"

namespace {

constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The compiler does not model the floating-point flags, so the operands are read from and the
// result written to volatile storage: the computation can be neither folded at compile time nor
// moved across the flag accesses around it.
template <class Compute>
Extended Checked(Compute&& Operation) {
  std::feclearexcept(kFaults);
  volatile Extended Result = Operation();
  RaiseFloatFaults();
  return Result;
}

}  // namespace

void RaiseFloatFaults() {
  const int Pending = std::fetestexcept(kFaults);
  if (Pending == 0) return;
  std::feclearexcept(kFaults);
  if (Pending & FE_INVALID) throw EInvalidOp();
  if (Pending & FE_DIVBYZERO) throw EZeroDivide();
  throw EOverflow();
}

Extended CheckedAdd(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked([&] { return A + B; });
}

Extended CheckedSubtract(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked([&] { return A - B; });
}

Extended CheckedMultiply(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked([&] { return A * B; });
}

Extended CheckedDivide(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked([&] { return A / B; });
}

Extended CheckedCall(ExtendedFunction1 Function, Extended X) {
  volatile Extended A = X;
  return Checked([&] { return Function(A); });
}

Extended CheckedCall(ExtendedFunction2 Function, Extended X, Extended Y) {
  volatile Extended A = X, B = Y;
  return Checked([&] { return Function(A, B); });
}
