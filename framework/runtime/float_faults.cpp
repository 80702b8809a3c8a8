#include "runtime/float_faults.h"

#include <cfenv>

#include "runtime/exceptions.h"

namespace {

constexpr int kFaults = FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW;

// The fault flags as the x87 status word and the SSE control and status register (MXCSR) hold
// them: the same bits as FE_INVALID, FE_DIVBYZERO and FE_OVERFLOW.
static_assert(FE_INVALID == 0x01 && FE_DIVBYZERO == 0x04 && FE_OVERFLOW == 0x08,
              "the fault flags sit at the x87 and SSE status bits");

// Reading the flags takes one instruction each; clearing them (feclearexcept) rewrites the whole
// x87 environment and costs many times an addition. So a checked computation does not clear
// before it computes: it reads the flags after it, and only when one is set, which is rare, does
// it clear them and compute again, so that a flag left by earlier code is never blamed on it.

// The x87 fault flags once Result has been computed: Result is an input of the read, so the
// computation cannot be moved after it.
unsigned X87FlagsAfter(Extended Result) {
  unsigned short Status;
  asm volatile("fnstsw %0" : "=a"(Status) : "f"(Result));
  return Status & kFaults;
}

unsigned SseFlags() {
  unsigned Csr;
  asm volatile("stmxcsr %0" : "=m"(Csr));
  return Csr & kFaults;
}

// The x87 arithmetic of Extended sets only the x87 flags; a library function may also compute in
// SSE registers and set the flags there.
enum class FlagSource { X87, X87AndSse };

// The operands are volatile, so the computation cannot be folded at compile time; its result is
// an input of the flag read, so it cannot be moved after it.
template <FlagSource Source, class Compute>
Extended Checked(Compute&& Operation) {
  Extended Result = Operation();
  unsigned Pending = X87FlagsAfter(Result);
  if constexpr (Source == FlagSource::X87AndSse) Pending |= SseFlags();
  if (Pending == 0) return Result;
  std::feclearexcept(kFaults);
  volatile Extended Again = Operation();
  RaiseFloatFaults();
  return Again;
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
  return Checked<FlagSource::X87>([&] { return A + B; });
}

Extended CheckedSubtract(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked<FlagSource::X87>([&] { return A - B; });
}

Extended CheckedMultiply(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked<FlagSource::X87>([&] { return A * B; });
}

Extended CheckedDivide(Extended Left, Extended Right) {
  volatile Extended A = Left, B = Right;
  return Checked<FlagSource::X87>([&] { return A / B; });
}

Extended CheckedCall(ExtendedFunction1 Function, Extended X) {
  volatile Extended A = X;
  return Checked<FlagSource::X87AndSse>([&] { return Function(A); });
}

Extended CheckedCall(ExtendedFunction2 Function, Extended X, Extended Y) {
  volatile Extended A = X, B = Y;
  return Checked<FlagSource::X87AndSse>([&] { return Function(A, B); });
}
