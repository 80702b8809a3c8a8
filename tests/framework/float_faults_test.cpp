#include <gtest/gtest.h>

#include <cfenv>
#include <clocale>
#include <limits>

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
