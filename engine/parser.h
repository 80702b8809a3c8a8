#pragma once

#include <cstddef>

#include "engine/parse_error.h"
#include "runtime/extended.h"

// The result of the last accepted input: its value and whether it was an assignment. Only an
// accepted input changes them.
extern Extended ParseValue;
extern bool ParseAssigned;

// Why the last rejected input was rejected, and where: the byte offset in the input of the token
// the parser stopped at (the input's length when the input ended too soon). Only a rejected input
// changes them.
extern TParseError ParseError;
extern size_t ParseErrorPosition;

constexpr int kYyStackSize = 1024;

// Parses one input from the scanner and computes its value while reducing. Returns 0 when the
// input was accepted (ParseValue and ParseAssigned hold its result), 1 after a syntax error
// ("syntax error") or a stack overflow ("yyparse stack overflow"), each written as one line on
// standard output. A fault in an action (EZeroDivide, ...) passes through; no assignment is made
// then. The variables the input reads while unassigned are listed (unassigned_reads.h) afresh on
// every call. Needs the scanner reset and given its input first.
int yyparse();
