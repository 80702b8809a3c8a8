#include "runtime/short_decimal.h"

#include <cstdint>

namespace {

// 10^27 = 5^27 × 2^27 and 5^27 < 2^64: every power up to it is exact in Extended's 64-bit
// significand.
constexpr int kMaxPowerOfTen = 27;
constexpr Extended kPowersOfTen[kMaxPowerOfTen + 1] = {
    1e0L,  1e1L,  1e2L,  1e3L,  1e4L,  1e5L,  1e6L,  1e7L,  1e8L,  1e9L,
    1e10L, 1e11L, 1e12L, 1e13L, 1e14L, 1e15L, 1e16L, 1e17L, 1e18L, 1e19L,
    1e20L, 1e21L, 1e22L, 1e23L, 1e24L, 1e25L, 1e26L, 1e27L};

// 19 digits always fit below 2^64 (10^19 < 2^64).
constexpr int kMaxSignificantDigits = 19;

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

}  // namespace

std::optional<Extended> ShortDecimalValue(std::string_view Text) {
  const char* Cursor = Text.data();
  const char* const End = Cursor + Text.size();
  uint64_t Significand = 0;
  int Digits = 0;    // significant digits taken into Significand, from the first non-zero one
  int Exponent = 0;  // the value is Significand × 10^Exponent
  bool AnyDigit = false;

  const auto TakeDigit = [&](char C) {
    AnyDigit = true;
    if (Significand == 0 && C == '0') return true;  // a leading zero is not significant
    if (++Digits > kMaxSignificantDigits) return false;
    Significand = Significand * 10 + static_cast<uint64_t>(C - '0');
    return true;
  };
  for (; Cursor != End && IsDigit(*Cursor); ++Cursor) {
    if (!TakeDigit(*Cursor)) return std::nullopt;
  }
  if (Cursor != End && *Cursor == '.') {
    ++Cursor;
    for (; Cursor != End && IsDigit(*Cursor); ++Cursor) {
      if (!TakeDigit(*Cursor)) return std::nullopt;
      // No written exponent (at most 10 × 27, below) brings one this small back into range.
      if (--Exponent < -11 * kMaxPowerOfTen) return std::nullopt;
    }
  }
  if (!AnyDigit) return std::nullopt;
  if (Cursor != End && (*Cursor == 'E' || *Cursor == 'e')) {
    ++Cursor;
    bool Negative = false;
    if (Cursor != End && (*Cursor == '+' || *Cursor == '-')) Negative = *Cursor++ == '-';
    if (Cursor == End) return std::nullopt;
    int Written = 0;
    for (; Cursor != End && IsDigit(*Cursor); ++Cursor) {
      Written = Written * 10 + (*Cursor - '0');
      if (Written > 10 * kMaxPowerOfTen) return std::nullopt;  // far beyond the fast range
    }
    Exponent += Negative ? -Written : Written;
  }
  if (Cursor != End) return std::nullopt;
  if (Exponent < -kMaxPowerOfTen || Exponent > kMaxPowerOfTen) return std::nullopt;

  // Both operands are exact, so the one operation rounds once, to nearest.
  const Extended Whole = static_cast<Extended>(Significand);
  if (Exponent >= 0) return Whole * kPowersOfTen[Exponent];
  return Whole / kPowersOfTen[-Exponent];
}
