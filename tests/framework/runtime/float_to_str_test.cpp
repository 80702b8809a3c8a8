#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/float_to_str.h"

namespace {

struct FormatCase {
  Extended Value;
  const char* Text;
};

TEST(FloatToStr, ChoosesFixedOrScientificLikeGeneralFormatWith15Digits) {
  const FormatCase Cases[] = {
      {1, "1"},
      {-1, "-1"},
      {1024, "1024"},
      {0.125L, "0.125"},
      {1.0L / 3, "0.333333333333333"},
      {2.0L / 3, "0.666666666666667"},
      {0.1L + 0.2L, "0.3"},
      {123456789012345.0L, "123456789012345"},   // exponent 14: still fixed
      {999999999999999.0L, "999999999999999"},
      {999999999999999.5L, "1E15"},              // rounds up into the next decade
      {1e15L, "1E15"},
      {1e20L, "1E20"},
      {18446744073709551616.0L, "1.84467440737096E19"},
      {-2.5e100L, "-2.5E100"},
      {0.0001L, "0.0001"},                       // exponent -4: fixed
      {0.00012345L, "0.00012345"},
      {0.00001L, "1E-5"},
      {1.5e-7L, "1.5E-7"},
      {-1.5e-7L, "-1.5E-7"},
      {1.18973149535723176502e+4932L, "1.18973149535723E4932"},
      {3.64519953188247460253e-4951L, "3.64519953188247E-4951"},  // smallest denormal
      {0.785398163397448309616L, "0.785398163397448"},
      {100, "100"},
      {10.5L, "10.5"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(FloatToStr(C.Value), C.Text) << "for " << static_cast<double>(C.Value);
  }
}

TEST(FloatToStr, ZeroOfEitherSignIsZero) {
  EXPECT_EQ(FloatToStr(0.0L), "0");
  EXPECT_EQ(FloatToStr(-0.0L), "0");
}

TEST(FloatToStr, NonFiniteValuesHaveNames) {
  EXPECT_EQ(FloatToStr(std::numeric_limits<Extended>::infinity()), "INF");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<Extended>::infinity()), "-INF");
  EXPECT_EQ(FloatToStr(std::numeric_limits<Extended>::quiet_NaN()), "NAN");
}

TEST(FloatToStr, UsesTheGivenDecimalSeparator) {
  EXPECT_EQ(FloatToStr(0.125L, ","), "0,125");
  EXPECT_EQ(FloatToStr(-1.5e-7L, ","), "-1,5E-7");
  EXPECT_EQ(FloatToStr(1024.0L, ","), "1024");
  EXPECT_EQ(FloatToStr(12.75L, "\xd9\xab"), "12\xd9\xab" "75");  // a multi-byte separator
}

}  // namespace
