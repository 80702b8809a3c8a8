#pragma once

#include <string>
#include <string_view>

#include "runtime/extended.h"

// Formats a value in the general format with 15 significant digits, the way results are shown:
// fixed notation when the decimal exponent X of the rounded value satisfies -4 <= X < 15,
// otherwise a mantissa, "E", a minus sign only for a negative exponent and no leading zeros
// ("1E20", "1.5E-7"). Trailing zeros of the fraction and a point with no digits after it are
// dropped. Zero of either sign is "0"; infinities and NaN are "INF", "-INF" and "NAN".
std::string FloatToStr(Extended Value, std::string_view DecimalSeparator = ".");
