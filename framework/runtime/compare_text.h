#pragma once

#include <string_view>

// Compares two byte strings with the bytes a-z folded onto A-Z, every byte on its own (also the
// second byte of a double-byte character); no other byte is folded and no locale applies.
// Returns 0 when equal, a negative value when Left sorts first, a positive one otherwise.
int CompareText(std::string_view Left, std::string_view Right);

inline bool SameText(std::string_view Left, std::string_view Right) {
  return Left.size() == Right.size() && CompareText(Left, Right) == 0;
}
