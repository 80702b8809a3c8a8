#include "runtime/float_faults.h"

#include <cfenv>

#include "runtime/exceptions.h"

namespace {

constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The fault flags as the x87 status word and the SSE control and status register (MXCSR) hold
// them: the same bits as FE_INVALID, FE_DIVBYZERO and FE_OVERFLOW.
static_assert(kFaults == FloatFaultsDetail::kFaultBits, "the fault flags sit at the x87 and SSE status bits");

unsigned SseFaults() {
  unsigned Csr;
  asm volatile("stmxcsr %0" : "=m"(Csr));
  return Csr & kFaults;
}

// After a flag was seen set: clears the flags, computes again and raises what that computation
// set. The operands are volatile, so the new computation happens after the clearing and is not
// replaced by the first one's result.
template <class Compute>
Extended ComputeAgainAndRaise(Compute&& Operation) {
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

Extended FloatFaultsDetail::Recheck(ExtendedOperator Operator, Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  switch (Operator) {
    case ExtendedOperator::Add: return ComputeAgainAndRaise([&] { return A + B; });
    case ExtendedOperator::Subtract: return ComputeAgainAndRaise([&] { return A - B; });
    case ExtendedOperator::Multiply: return ComputeAgainAndRaise([&] { return A * B; });
    case ExtendedOperator::Divide: break;
  }
  return ComputeAgainAndRaise([&] { return A / B; });
}

// A library function may also compute in SSE registers and leave its faults there, so both the
// x87 flags and MXCSR's are read after it.
Extended CheckedCall(ExtendedFunction1 Function, Extended X) {
  volatile Extended A = X;
  const Extended Result = Function(A);
  if ((FloatFaultsDetail::X87FaultsAfter(Result) | SseFaults()) == 0) return Result;
  return ComputeAgainAndRaise([&] { return Function(A); });
}

Extended CheckedCall(ExtendedFunction2 Function, Extended X, Extended Y) {
  volatile Extended A = X, B = Y;
  const Extended Result = Function(A, B);
  if ((FloatFaultsDetail::X87FaultsAfter(Result) | SseFaults()) == 0) return Result;
  return ComputeAgainAndRaise([&] { return Function(A, B); });
}
