#pragma once

#include <optional>
#include <string_view>

#include "runtime/extended.h"

// The value of a decimal number ("37.205", "4.07E-3", "12") of at most 19 significant digits
// whose decimal exponent, once the digits are taken as a whole number, lies within 27 of 0: such
// a number is a whole number below 2^64 times or divided by a power of ten below 5^28 × 2^27,
// both exact in Extended, so one multiplication or division rounds it correctly, to the value a
// full decimal conversion gives. Empty for any other text, which needs the full conversion.
std::optional<Extended> ShortDecimalValue(std::string_view Text);
