#include "runtime/compare_text.h"

#include <algorithm>

namespace {

unsigned char FoldAsciiLower(unsigned char Byte) {
  return (Byte >= 'a' && Byte <= 'z') ? static_cast<unsigned char>(Byte - 0x20) : Byte;
}

}  // namespace

int CompareText(std::string_view Left, std::string_view Right) {
  const size_t Common = std::min(Left.size(), Right.size());
  for (size_t I = 0; I < Common; ++I) {
    const int Difference = FoldAsciiLower(static_cast<unsigned char>(Left[I])) -
                           FoldAsciiLower(static_cast<unsigned char>(Right[I]));
    if (Difference != 0) return Difference;
  }
  return static_cast<int>(Left.size()) - static_cast<int>(Right.size());
}
