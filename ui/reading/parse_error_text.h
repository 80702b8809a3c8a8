#pragma once

#include <QString>

#include <cstddef>
#include <string>

#include "engine/parse_error.h"
#include "reading/number_folding.h"

// What the strip says about an expression the parser rejected: a short message for the result
// field, a longer one for its tool tip, and the character index in the expression where the
// parser stopped, for the caret.
struct TParseErrorText {
  QString Message;
  QString Detail;
  int Caret = 0;
};

// Expression is the text as the engine read it (Shift-JIS), Position the byte offset where the
// parser stopped; Folded, how it came from the text the field shows, on which the caret and the
// words stand.
TParseErrorText DescribeParseError(TParseError Error, const std::string& Expression, size_t Position,
                                   const TFoldedExpression& Folded);
