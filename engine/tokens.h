#pragma once

#include "runtime/extended.h"

// The token codes passed from the scanner to the parser (enum TokenCode), generated from the
// %token lines of calc.grammar. Codes 1 to 255 are single bytes standing for themselves; 0 is the
// end of the input.
#include "calc_tokens.h"

struct TSymData;

// One value of the parse: a number for NUMBER, expr and primary, a symbol for the identifier
// tokens. Which member is meant follows from the grammar symbol it belongs to.
union SemanticValue {
  Extended Number;
  TSymData* Symbol;
};
