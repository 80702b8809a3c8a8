#pragma once

#include "runtime/extended.h"

struct TSymData;

// Token codes passed from the scanner to the parser. Codes 1 to 255 are single bytes standing for
// themselves; 0 is the end of the input.
enum TokenCode : int {
  END_OF_INPUT = 0,
  ERROR_TOKEN = 256,  // reserved for error recovery, which the parser does not do
  VARIABLE = 258,
  RESERVED_ID = 259,
  FUNC1 = 260,
  FUNC2 = 261,
  ILLEGAL = 262,
  NUMBER = 263,
  POWER = 264,
};

// One value of the parse: a number for NUMBER, expr and primary, a symbol for the identifier
// tokens. Which member is meant follows from the grammar symbol it belongs to.
union SemanticValue {
  Extended Number;
  TSymData* Symbol;
};
