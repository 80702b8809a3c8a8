// The exact 15-digit rounding in integer arithmetic against printf's, which it stands in for:
// wherever it gives a result, the result must be printf's.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include "runtime/significant_digits.h"

namespace {

__extension__ using Wide = unsigned __int128;

std::string Show(Extended Value) {
  char Text[64];
  std::snprintf(Text, sizeof Text, "%.25Lg", Value);
  return Text;
}

// True when the exact rounding takes Value; a failed expectation when it differs from printf's.
bool TakenAndAgrees(Extended Value) {
  const std::optional<SignificantDigits> Exact = ExactSignificantDigits(Value);
  if (!Exact) return false;
  const SignificantDigits Printed = PrintedSignificantDigits(Value);
  EXPECT_EQ(Exact->Negative, Printed.Negative) << Show(Value);
  EXPECT_EQ(Exact->Digits, Printed.Digits) << Show(Value);
  EXPECT_EQ(Exact->Exponent, Printed.Exponent) << Show(Value);
  return true;
}

Extended FromBits(uint64_t Significand, int BiasedExponent, bool Negative) {
  Extended Value = 0;
  const auto SignAndExponent = static_cast<uint16_t>(BiasedExponent | (Negative ? 0x8000 : 0));
  std::memcpy(&Value, &Significand, sizeof Significand);
  std::memcpy(reinterpret_cast<char*>(&Value) + sizeof Significand, &SignAndExponent, sizeof SignAndExponent);
  return Value;
}

TEST(SignificantDigits, TakesTheCommonRangeAndLeavesTheRestToPrintf) {
  constexpr Extended kMax = std::numeric_limits<Extended>::max();
  const std::pair<Extended, bool> Cases[] = {
      {1, true}, {-1, true}, {0.1L, true}, {1.0L / 3, true}, {-2.0L / 3, true}, {1024, true},
      {999999999999999.0L, true}, {999999999999999.5L, true},  // rounds into the next decade
      {999999999999999.4L, true}, {1e15L, true}, {0.0001L, true}, {0.00001L, true},
      {18446744073709551616.0L, true}, {9223372036854775808.0L, true}, {1e20L, true},
      {1.0000001e-13L, true}, {9.9999999e-14L, false}, {1e47L, true}, {1e27L, true},
      {0.000099999999999999995L, true},  // rounds up to 1E-4
      {1e-20L, false}, {1e60L, false}, {kMax, false}, {-kMax, false},
      {std::numeric_limits<Extended>::min(), false},
      {std::numeric_limits<Extended>::denorm_min(), false},
      {0.0L, false}, {-0.0L, false},
      {std::numeric_limits<Extended>::infinity(), false},
      {std::numeric_limits<Extended>::quiet_NaN(), false},
  };
  for (const auto& [Value, Exact] : Cases) EXPECT_EQ(TakenAndAgrees(Value), Exact) << Show(Value);
}

// Values whose 16th significant digit is a 5 with nothing after it: exactly halfway, they round
// to the even 15th digit. (10D + 5) / 10^Q is exact in binary when 5^(Q-1) divides 2D + 1, and
// (10D + 5) × 10^P when (2D + 1) × 5^(P+1) fits in 64 bits.
TEST(SignificantDigits, ExactlyHalfwayValuesRoundToEven) {
  std::mt19937_64 Random(15);
  int Ties = 0;
  for (int Q = 1; Q <= 24; ++Q) {
    Wide FivePower = 1;
    for (int I = 1; I < Q; ++I) FivePower *= 5;
    const Wide Low = (Wide{200000000000000} + 1 + FivePower - 1) / FivePower;
    const Wide High = Wide{2000000000000000} / FivePower;
    if (High <= Low) break;
    for (int Try = 0; Try < 40; ++Try) {
      const uint64_t J = static_cast<uint64_t>(Low + Random() % (High - Low)) | 1;
      if (J >= High) continue;
      Ties += TakenAndAgrees(std::ldexp(static_cast<Extended>(J), -Q));  // J / 2^Q
    }
  }
  for (int P = 0; P <= 4; ++P) {
    for (int Try = 0; Try < 200; ++Try) {
      const uint64_t D = 100000000000000 + Random() % 900000000000000;
      Wide Value = D * 10 + 5;
      for (int I = 0; I < P; ++I) Value *= 10;
      if (Value >> 64 != 0) continue;
      Ties += TakenAndAgrees(static_cast<Extended>(static_cast<uint64_t>(Value)));
    }
  }
  EXPECT_GT(Ties, 1000);
}

// Random significands over binary exponents from far below to far above the exact range, both
// signs, and the neighbours of every power of ten in and around it.
TEST(SignificantDigits, AgreesWithPrintfOnRandomValues) {
  std::mt19937_64 Random(20240601);
  int Taken = 0;
  for (int I = 0; I < 300000; ++I) {
    const uint64_t Significand = Random() | (uint64_t{1} << 63);
    const int Biased = 16383 - 80 + static_cast<int>(Random() % 260);
    Taken += TakenAndAgrees(FromBits(Significand, Biased, Random() % 2 == 1));
  }
  EXPECT_GT(Taken, 200000);
  for (int Power = -16; Power <= 50; ++Power) {
    const Extended Ten = std::pow(10.0L, static_cast<Extended>(Power));
    for (const Extended Value : {std::nextafter(Ten, 0.0L), Ten, std::nextafter(Ten, 2 * Ten)}) {
      TakenAndAgrees(Value);
      TakenAndAgrees(Value * (1 + 5e-16L));
      TakenAndAgrees(Value * (1 - 5e-16L));
    }
  }
}

}  // namespace
