#include "runtime/significant_digits.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

__extension__ using Wide = unsigned __int128;

constexpr uint64_t kLowestDigits = 100000000000000;  // 10^14
constexpr uint64_t kDigitsLimit = 10 * kLowestDigits;  // 10^15

// Powers of five up to 5^40, which needs 93 bits.
constexpr int kMaxFivePower = 40;
constexpr auto kFivePowers = [] {
  struct {
    Wide Power[kMaxFivePower + 1];
  } Table{};
  Table.Power[0] = 1;
  for (int I = 1; I <= kMaxFivePower; ++I) Table.Power[I] = Table.Power[I - 1] * 5;
  return Table;
}();

int BitLength(Wide X) {
  const auto High = static_cast<uint64_t>(X >> 64);
  if (High != 0) return 128 - __builtin_clzll(High);
  const auto Low = static_cast<uint64_t>(X);
  return Low == 0 ? 0 : 64 - __builtin_clzll(Low);
}

// Where the part of a quotient below its integer part lies against one half.
enum class Rest { Zero, BelowHalf, Half, AboveHalf };

Rest CompareWithHalf(Wide Remainder, Wide Divisor) {
  if (Remainder == 0) return Rest::Zero;
  const Wide Twice = Remainder * 2;  // Remainder < Divisor < 2^127: no overflow
  return Twice < Divisor ? Rest::BelowHalf : Twice == Divisor ? Rest::Half : Rest::AboveHalf;
}

// Significand × 2^BinaryExponent × 10^DecimalScale, as its integer part and where the rest lies; false
// when the exact computation would not fit in 128 bits.
bool ScaleByPowerOfTen(uint64_t Significand, int BinaryExponent, int DecimalScale, Wide& Whole,
                       Rest& Fraction) {
  if (DecimalScale >= 0) {
    // Significand × 5^DecimalScale × 2^(BinaryExponent + DecimalScale): one product and a shift.
    if (DecimalScale > 27) return false;  // 5^27 × 2^64 < 2^127
    const Wide Product = Significand * kFivePowers.Power[DecimalScale];
    const int Shift = BinaryExponent + DecimalScale;
    if (Shift >= 0) {
      if (BitLength(Product) + Shift > 127) return false;
      Whole = Product << Shift;
      Fraction = Rest::Zero;
    } else {
      if (-Shift >= 127) return false;
      Whole = Product >> -Shift;
      const Wide One = Wide{1} << -Shift;
      Fraction = CompareWithHalf(Product & (One - 1), One);
    }
    return true;
  }
  // Significand × 2^(BinaryExponent − Down) / 5^Down with Down = −DecimalScale: one division.
  const int Down = -DecimalScale;
  if (Down > kMaxFivePower) return false;
  const int Shift = BinaryExponent - Down;
  Wide Numerator = Significand, Divisor = kFivePowers.Power[Down];
  if (Shift >= 0) {
    if (64 + Shift > 127) return false;
    Numerator <<= Shift;
  } else {
    if (BitLength(Divisor) - Shift > 126) return false;
    Divisor <<= -Shift;
  }
  Whole = Numerator / Divisor;
  Fraction = CompareWithHalf(Numerator % Divisor, Divisor);
  return true;
}

}  // namespace

std::optional<SignificantDigits> ExactSignificantDigits(Extended Value) {
  // The x87 format: a 64-bit significand with its integer bit, then sign and biased exponent.
  uint64_t Significand;
  uint16_t SignAndExponent;
  std::memcpy(&Significand, &Value, sizeof Significand);
  std::memcpy(&SignAndExponent, reinterpret_cast<const char*>(&Value) + sizeof Significand,
              sizeof SignAndExponent);
  const int Biased = SignAndExponent & 0x7FFF;
  // Zero, denormals, infinities and NaNs lie outside the range anyway; an unnormal has no integer bit.
  if (Biased == 0 || Biased == 0x7FFF || (Significand >> 63) == 0) return std::nullopt;
  const int BinaryExponent = Biased - 16383 - 63;  // Value = ±Significand × 2^BinaryExponent

  // The value lies in [2^(BinaryExponent + 63), 2^(BinaryExponent + 64)). With log10(2) ≈ 1233 /
  // 4096, the upper end gives its decimal exponent give or take one, and the loop settles it;
  // starting from above keeps the smallest values of the range (from 1E-13) within reach.
  int Exponent = ((BinaryExponent + 64) * 1233) >> 12;
  Wide Whole;
  Rest Fraction;
  for (int Try = 0;; ++Try) {
    if (Try == 3) return std::nullopt;
    if (!ScaleByPowerOfTen(Significand, BinaryExponent, kSignificantDigits - 1 - Exponent, Whole, Fraction)) {
      return std::nullopt;
    }
    if (Whole >= kDigitsLimit) {
      ++Exponent;
    } else if (Whole < kLowestDigits) {
      --Exponent;
    } else {
      break;
    }
  }
  auto Digits = static_cast<uint64_t>(Whole);
  if (Fraction == Rest::AboveHalf || (Fraction == Rest::Half && Digits % 2 == 1)) ++Digits;
  if (Digits == kDigitsLimit) {  // 999999999999999.5 rounds into the next decade
    Digits = kLowestDigits;
    ++Exponent;
  }
  return SignificantDigits{(SignAndExponent & 0x8000) != 0, Digits, Exponent};
}

SignificantDigits PrintedSignificantDigits(Extended Value) {
  // "%.14Le" rounds to 15 significant digits once, correctly, and tells the exponent of the
  // rounded value: "-d.dddddddddddddde+XX".
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.*Le", kSignificantDigits - 1, Value);
  SignificantDigits Result;
  const char* Cursor = Buffer;
  Result.Negative = *Cursor == '-';
  if (Result.Negative) ++Cursor;
  for (; *Cursor != 'e'; ++Cursor) {
    if (*Cursor != '.') Result.Digits = Result.Digits * 10 + static_cast<uint64_t>(*Cursor - '0');
  }
  Result.Exponent = std::atoi(Cursor + 1);
  return Result;
}

SignificantDigits RoundToSignificantDigits(Extended Value) {
  if (const std::optional<SignificantDigits> Exact = ExactSignificantDigits(Value)) return *Exact;
  return PrintedSignificantDigits(Value);
}
