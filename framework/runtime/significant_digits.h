#pragma once

#include <cstdint>
#include <optional>

#include "runtime/extended.h"

// A finite, non-zero value rounded to 15 significant decimal digits, to nearest with ties to
// even: Digits × 10^(Exponent − 14), with Digits from 10^14 to 10^15 − 1, so that Exponent is the
// decimal exponent of the rounded value (999999999999999.5 gives Digits 10^14 and Exponent 15).
struct SignificantDigits {
  bool Negative = false;
  uint64_t Digits = 0;
  int Exponent = 0;

  bool operator==(const SignificantDigits&) const = default;
};

constexpr int kSignificantDigits = 15;

// The rounding computed exactly in 128-bit integer arithmetic, for magnitudes from about 1E-13 to
// 1E48 (most results people see); empty for any other value, zero and non-finite values included.
std::optional<SignificantDigits> ExactSignificantDigits(Extended Value);

// The same rounding by the C library's printf ("%.14Le"), for any finite, non-zero value.
SignificantDigits PrintedSignificantDigits(Extended Value);

// The exact integer rounding where it applies, printf otherwise.
SignificantDigits RoundToSignificantDigits(Extended Value);
