#pragma once

#include <string>

#include "runtime/extended.h"

// Converts the decimal text of a number ("12", ".5", "1.5E+3") to the nearest Extended value,
// whatever the process's locale. A value beyond the Extended range raises EOverflow; one below
// the smallest denormal becomes 0 quietly. The text must be a well-formed decimal number.
Extended StrToExtended(const std::string& Text);
