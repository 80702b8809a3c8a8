#pragma once

#include <cstddef>

#include "tokens.h"

// The value of the last NUMBER or identifier token: its Extended value, or its symbol.
extern SemanticValue TokenValue;

// The code of the next token of the input given by SetInputString (see lexlib.h); 0 when the
// input is exhausted, and 0 again on every later call. Every identifier is looked up in the
// symbol table as it is scanned, which creates an unknown name as a variable with value 0.
// A number literal beyond the Extended range raises EOverflow; a scanner limit, ELexLimit.
int NextToken();

// The byte offset in the input of the first byte of the token NextToken returned last; the
// input's length after the end of input.
size_t TokenPosition();
