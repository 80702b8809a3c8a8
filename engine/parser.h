#pragma once

#include "runtime/extended.h"

// The result of the last accepted input: its value and whether it was an assignment. Only an
// accepted input changes them.
extern Extended ParseValue;
extern bool ParseAssigned;

constexpr int kYyStackSize = 1024;

// Parses one input from the scanner and computes its value while reducing. Returns 0 when the
// input was accepted (ParseValue and ParseAssigned hold its result), 1 after a syntax error
// ("syntax error") or a stack overflow ("yyparse stack overflow"), each written as one line on
// standard output. A fault in an action (EZeroDivide, ...) passes through; no assignment is made
// then. Needs the scanner reset and given its input first.
int yyparse();
