#pragma once

#include "runtime/extended.h"

// The engine's one evaluation entry point. Resets the scanner, scans and parses Text (a Shift-JIS
// string, read up to its first zero byte) and computes its value. Returns true and sets Value and
// Assignment when the text was parsed and evaluated to its end; returns false and leaves both
// untouched after a syntax error or a parser stack overflow. A floating-point fault or a scanner
// limit passes out as its exception, again with both untouched.
bool CalcExpression(const char* Text, Extended& Value, bool& Assignment);
