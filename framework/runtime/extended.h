#pragma once

#include <limits>

// The one numeric type of the expression engine: x87 double-extended (64-bit significand,
// 15-bit exponent). Every literal, variable, intermediate and result has this type.
using Extended = long double;

static_assert(std::numeric_limits<Extended>::digits == 64,
              "Extended must be the 80-bit x87 double-extended format");
static_assert(std::numeric_limits<Extended>::max_exponent == 16384,
              "Extended must have a 15-bit exponent");
