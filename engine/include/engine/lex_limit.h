#pragma once

#include <string_view>

#include "runtime/exceptions.h"

// A limit of the scanner was reached. The evaluation ends; the scanner, the symbol table and every
// variable stay usable, and the next evaluation starts clean. Its message is the scanner's own
// English account; Limit tells which limit, for a message in another language.
class ELexLimit : public Exception {
public:
  enum class TLimit {
    MatchStack,   // a name or number longer than 1023 characters
    InputBuffer,  // a token of a long expression gave back more bytes than its 2048-byte block had room for
  };
  // LimitMessage: the scanner's "match stack overflow" or "input buffer overflow".
  explicit ELexLimit(std::string_view LimitMessage);
  TLimit Limit() const { return FLimit; }

private:
  TLimit FLimit;
};
