// The short-decimal conversion against the full conversion (strtold in the "C" locale) that it
// stands in for: wherever it gives a value, the value must be the same, bit for bit.
#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <locale.h>
#include <random>
#include <string>

#include "runtime/short_decimal.h"

namespace {

Extended FullConversion(const std::string& Text) {
  static const locale_t Classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return strtold_l(Text.c_str(), nullptr, Classic);
}

// True when the fast path takes Text; a failed expectation when its value differs.
bool TakenAndAgrees(const std::string& Text) {
  const std::optional<Extended> Short = ShortDecimalValue(Text);
  if (!Short) return false;
  const Extended Full = FullConversion(Text);
  EXPECT_TRUE(*Short == Full && std::signbit(*Short) == std::signbit(Full))
      << Text << ": " << static_cast<double>(*Short) << " against " << static_cast<double>(Full);
  return true;
}

TEST(ShortDecimal, TakesShortNumbersAndLeavesTheRestToTheFullConversion) {
  const std::pair<const char*, bool> Cases[] = {
      {"0", true}, {"0.000", true}, {"000", true}, {".5", true}, {"37.205", true},
      {"4.07E-3", true}, {"1.5e3", true}, {"1.5E+2", true}, {"0.1", true},
      {"9999999999999999999", true},         // 19 digits
      {"10000000000000000000", false},       // 20 digits
      {"18446744073709551617", false},       // beyond 64 bits
      {"1234567890123456789.0", false},      // a trailing zero is a 20th digit
      {"000000000000000000000001.5", true},  // leading zeros are not significant
      {"0.000000000000000000000000001", true},   // 10^-27
      {"0.0000000000000000000000000001", false}, // 10^-28
      {"1.0E28", true},                      // 10 × 10^27
      {"1.0E29", false},                     // 10 × 10^28
      {"999999999999999999.9E-8", true},     // 19 digits over 10^9
      {"922337203685477580.9E-26", true},    // 19 digits over 10^27
      {"1.0E-26", true}, {"1.0E-27", false},  // 10 over 10^27 and over 10^28
      {"1.0E99999", false}, {"1.0E-99999", false},
      {"1.18973149535723176502E4932", false},  // the largest Extended
      {"3.6E-4951", false},                    // a denormal
      {"-0.0", false}, {"+1", false},          // the scanner's numbers have no sign
      {"", false}, {".", false}, {"E5", false}, {"1.5E", false}, {"1.5E+", false},
      {"1.5E+x", false}, {"1,5", false}, {" 1", false}, {"1 ", false}, {"0x10", false},
  };
  for (const auto& [Text, Fast] : Cases) EXPECT_EQ(TakenAndAgrees(Text), Fast) << Text;
}

// q × 10^k with q odd and q × 5^k a 65-bit number lies exactly halfway between two Extended
// values: the multiplication must round it to the even one, as the full conversion does.
TEST(ShortDecimal, ExactlyHalfwayProductsRoundToEven) {
  std::mt19937_64 Random(65);
  for (int K = 1; K <= 27; ++K) {
    __extension__ using Wide = unsigned __int128;
    Wide FivePower = 1;
    for (int I = 0; I < K; ++I) FivePower *= 5;
    const Wide Low = ((Wide{1} << 64) + FivePower - 1) / FivePower, High = (Wide{1} << 65) / FivePower;
    for (int Try = 0; Try < 20; ++Try) {
      uint64_t Q = static_cast<uint64_t>(Low + Random() % (High - Low)) | 1;
      if (Q >= High) Q -= 2;
      ASSERT_TRUE(Q >= Low && (Wide{Q} * FivePower) >> 64 == 1) << K;
      const std::string Digits = std::to_string(Q);
      const std::string Text = Digits.substr(0, Digits.size() - 1) + "." + Digits.back() + "E" + std::to_string(K + 1);
      EXPECT_TRUE(TakenAndAgrees(Text)) << Text;
    }
  }
}

// Random numbers in the scanner's forms: 1 to 21 digits, the point anywhere, exponents from
// -40 to 40, so that both sides of every bound are crossed many times.
TEST(ShortDecimal, AgreesWithTheFullConversionOnRandomNumbers) {
  std::mt19937_64 Random(20240601);
  int Taken = 0;
  const int Count = 200000;
  for (int I = 0; I < Count; ++I) {
    const int Length = 1 + static_cast<int>(Random() % 21);
    std::string Digits;
    for (int D = 0; D < Length; ++D) Digits += static_cast<char>('0' + Random() % 10);
    std::string Text;
    switch (Random() % 3) {
      case 0: Text = Digits; break;
      case 1: {
        const size_t Point = Random() % Length;
        Text = Digits.substr(0, Point) + "." + Digits.substr(Point);
        break;
      }
      default: {
        const size_t Point = Random() % Length;
        const int Exponent = static_cast<int>(Random() % 81) - 40;
        Text = Digits.substr(0, Point) + "." + Digits.substr(Point) + (Random() % 2 ? "E" : "e") +
               (Exponent >= 0 && Random() % 2 ? "+" : "") + std::to_string(Exponent);
      }
    }
    Taken += TakenAndAgrees(Text);
  }
  // The fast path is meant for most numbers people write; here, for well over a third.
  EXPECT_GT(Taken, Count / 3);
}

}  // namespace
