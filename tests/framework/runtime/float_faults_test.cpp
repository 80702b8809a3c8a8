#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <limits>
#include <string>

#include "runtime/exceptions.h"
#include "runtime/float_faults.h"
#include "runtime/math_lib.h"
#include "runtime/str_to_extended.h"

namespace {

constexpr Extended kMax = std::numeric_limits<Extended>::max();
constexpr Extended kMin = std::numeric_limits<Extended>::min();

TEST(FloatFaults, OperatorsRaiseTheFaultTheyCause) {
  EXPECT_THROW(CheckedDivide(1, 0), EZeroDivide);
  EXPECT_THROW(CheckedDivide(-1, 0), EZeroDivide);
  EXPECT_THROW(CheckedDivide(0, 0), EInvalidOp);
  EXPECT_THROW(CheckedMultiply(kMax, 2), EOverflow);
  EXPECT_THROW(CheckedAdd(kMax, kMax), EOverflow);
  EXPECT_THROW(CheckedSubtract(-kMax, kMax), EOverflow);
  EXPECT_THROW(CheckedCall(Math::Power, 0, -1), EZeroDivide);
  EXPECT_THROW(CheckedCall(Math::Power, -8, 0.5L), EInvalidOp);
  EXPECT_THROW(CheckedCall(Math::Power, 10, 5000), EOverflow);
  EXPECT_THROW(CheckedCall(Math::Log10, 0), EZeroDivide);
  EXPECT_THROW(CheckedCall(Math::Log10, -1), EInvalidOp);
  EXPECT_THROW(CheckedCall(Math::ArcSin, 2), EInvalidOp);
  EXPECT_THROW(CheckedCall(Math::ArcCos, -1.5L), EInvalidOp);
}

TEST(FloatFaults, UnderflowDenormalsAndInexactResultsStayQuiet) {
  EXPECT_EQ(CheckedMultiply(kMin, kMin), 0);
  EXPECT_GT(CheckedDivide(kMin, 4), 0);  // a denormal
  EXPECT_EQ(CheckedDivide(1, 3) * 3, 1);
  EXPECT_EQ(CheckedCall(Math::Power, 10, -5000), 0);
}

TEST(FloatFaults, AFaultDoesNotLingerIntoTheNextOperation) {
  EXPECT_THROW(CheckedDivide(1, 0), EZeroDivide);
  EXPECT_EQ(CheckedAdd(1, 2), 3);
  // A flag left by code outside the checked operations is not blamed on them either.
  volatile Extended Zero = 0;
  volatile Extended Ignored = 1 / Zero;
  (void)Ignored;
  EXPECT_EQ(CheckedMultiply(2, 3), 6);
  std::feclearexcept(FE_ALL_EXCEPT);
}

volatile Extended X87Zero = 0, X87Max = kMax, X87Sink;
volatile double SseZero = 0, SseMax = std::numeric_limits<double>::max(), SseSink;

// A flag that earlier code left set, in the x87 unit or in the SSE unit, is never blamed on a
// checked operation, and never hides or changes the fault that the operation itself causes.
TEST(FloatFaults, AStaleFlagNeitherRaisesNorMasksTheOperationsOwnFault) {
  enum Outcome { kNone, kZeroDivide, kInvalidOp, kOverflow };
  struct Stale {
    const char* Name;
    void (*Leave)();
  };
  const Stale Stales[] = {
      {"x87 invalid", [] { X87Sink = X87Zero / X87Zero; }},
      {"x87 zero divide", [] { X87Sink = 1 / X87Zero; }},
      {"x87 overflow", [] { X87Sink = X87Max * 2; }},
      {"SSE invalid", [] { SseSink = SseZero / SseZero; }},
      {"SSE zero divide", [] { SseSink = 1 / SseZero; }},
      {"SSE overflow", [] { SseSink = SseMax * 2; }},
  };
  struct Operation {
    const char* Name;
    Extended (*Run)();
    Outcome Expected;
    Extended Value;
  };
  const Operation Operations[] = {
      {"1 + 2", [] { return CheckedAdd(1, 2); }, kNone, 3},
      {"5 - 7", [] { return CheckedSubtract(5, 7); }, kNone, -2},
      {"1 / 4", [] { return CheckedDivide(1, 4); }, kNone, 0.25L},
      {"1 / 0", [] { return CheckedDivide(1, 0); }, kZeroDivide, 0},
      {"0 / 0", [] { return CheckedDivide(0, 0); }, kInvalidOp, 0},
      {"max * 2", [] { return CheckedMultiply(kMax, 2); }, kOverflow, 0},
      {"Power(2, 10)", [] { return CheckedCall(Math::Power, 2, 10); }, kNone, 1024},
      {"Log10(0)", [] { return CheckedCall(Math::Log10, 0); }, kZeroDivide, 0},
      {"SquareRoot(-1)", [] { return CheckedCall(SquareRoot, -1); }, kInvalidOp, 0},
      {"Power(10, 5000)", [] { return CheckedCall(Math::Power, 10, 5000); }, kOverflow, 0},
  };
  for (const Stale& S : Stales) {
    for (const Operation& O : Operations) {
      std::feclearexcept(FE_ALL_EXCEPT);
      S.Leave();
      ASSERT_TRUE(std::fetestexcept(FE_INVALID | FE_DIVBYZERO | FE_OVERFLOW)) << S.Name;
      const std::string Case = std::string(S.Name) + " left set, then " + O.Name;
      switch (O.Expected) {
        case kNone: EXPECT_EQ(O.Run(), O.Value) << Case; break;
        case kZeroDivide: EXPECT_THROW(O.Run(), EZeroDivide) << Case; break;
        case kInvalidOp: EXPECT_THROW(O.Run(), EInvalidOp) << Case; break;
        case kOverflow: EXPECT_THROW(O.Run(), EOverflow) << Case; break;
      }
      // Whatever was left set has been dealt with: the next operation is not blamed either.
      EXPECT_EQ(CheckedAdd(2, 2), 4) << Case;
    }
  }
  std::feclearexcept(FE_ALL_EXCEPT);
}

TEST(FloatFaults, LibraryFunctionsAndProcessorOperationsLeaveTheirFaultsToTheCaller) {
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_EQ(Math::Log10(0), -std::numeric_limits<Extended>::infinity());  // raises nothing itself
  EXPECT_TRUE(std::fetestexcept(FE_DIVBYZERO));
  std::feclearexcept(FE_ALL_EXCEPT);
  EXPECT_THROW(CheckedCall(SquareRoot, -1), EInvalidOp);
  EXPECT_THROW(CheckedCall(ScaledLog2, 1, 0), EZeroDivide);
  EXPECT_NEAR(static_cast<double>(ArcTan2(1, 1)), 0.7853981633974483, 1e-15);
  EXPECT_EQ(SquareRoot(16), 4);
  EXPECT_EQ(ScaledLog2(3, 8), 9);
}

TEST(StrToExtended, ConvertsDecimalTextExactlyRounded) {
  EXPECT_EQ(StrToExtended("0.1"), 0.1L);
  EXPECT_EQ(StrToExtended(".5"), 0.5L);
  EXPECT_EQ(StrToExtended("1.5E+2"), 150);
  EXPECT_EQ(StrToExtended("1.5e3"), 1500);
  EXPECT_EQ(StrToExtended("18446744073709551617"), 18446744073709551616.0L);  // 65 bits rounds
  EXPECT_EQ(StrToExtended("1.18973149535723176502E4932"), kMax);
}

TEST(StrToExtended, BeyondTheRangeOverflowsAndBelowItIsZero) {
  EXPECT_THROW(StrToExtended("1.0E5000"), EOverflow);
  EXPECT_THROW(StrToExtended("1.2E4932"), EOverflow);
  EXPECT_EQ(StrToExtended("1.0E-5000"), 0);
}

TEST(StrToExtended, APointIsTheDecimalPointWhateverTheLocale) {
  // Any installed locale with a comma as decimal separator shows the effect; C.UTF-8 at least
  // exercises the switch.
  const char* Locales[] = {"de_DE.UTF-8", "fr_FR.UTF-8", "C.UTF-8"};
  for (const char* Name : Locales) {
    if (std::setlocale(LC_ALL, Name) == nullptr) continue;
    EXPECT_EQ(StrToExtended("2.5"), 2.5L) << Name;
  }
  std::setlocale(LC_ALL, "C");
}

}  // namespace
