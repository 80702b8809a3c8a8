#include "engine/typed_expression.h"

#include <iterator>
#include <type_traits>

namespace {

// The fraction that the language needs between a number's digits and its exponent.
template <typename Unit>
constexpr Unit kFraction[] = {Unit('.'), Unit('0')};
constexpr size_t kFractionLength = std::size(kFraction<char>);

template <typename Unit>
bool IsDigitAt(std::basic_string_view<Unit> Text, size_t Index) {
  return Index < Text.size() && Text[Index] >= Unit('0') && Text[Index] <= Unit('9');
}

// A unit that continues a name or a number: a digit run after it is part of that token. Every
// unit of a non-ASCII character counts, as a name may go on with double-byte characters.
template <typename Unit>
bool ContinuesToken(Unit Character) {
  const auto Code = static_cast<unsigned long>(static_cast<std::make_unsigned_t<Unit>>(Character));
  return (Code >= '0' && Code <= '9') || (Code >= 'A' && Code <= 'Z') || (Code >= 'a' && Code <= 'z') ||
         Code == '_' || Code == '.' || Code > 0x7F;
}

// Where the digit run starting at Start ends when an exponent follows it at once ("1E20",
// "12e-3"); npos otherwise.
template <typename Unit>
size_t ExponentAfterDigits(std::basic_string_view<Unit> Text, size_t Start) {
  size_t End = Start;
  while (IsDigitAt(Text, End)) ++End;
  if (End == Start || End >= Text.size() || (Text[End] != Unit('E') && Text[End] != Unit('e')))
    return std::basic_string_view<Unit>::npos;
  size_t Digit = End + 1;
  if (Digit < Text.size() && (Text[Digit] == Unit('+') || Text[Digit] == Unit('-'))) ++Digit;
  return IsDigitAt(Text, Digit) ? End : std::basic_string_view<Unit>::npos;
}

}  // namespace

template <typename Unit>
TTypedExpression<Unit> FoldTypedExpression(std::basic_string_view<Unit> Typed) {
  TTypedExpression<Unit> Folded;
  std::basic_string<Unit>& Text = Folded.Text;
  Text.reserve(Typed.size());
  size_t Copied = 0;  // Typed up to here is in Text
  for (size_t I = 0; I < Typed.size(); ++I) {
    if (!IsDigitAt(Typed, I) || (I > 0 && ContinuesToken(Typed[I - 1]))) continue;
    const size_t End = ExponentAfterDigits(Typed, I);
    if (End == std::basic_string_view<Unit>::npos) {
      while (IsDigitAt(Typed, I + 1)) ++I;  // the rest of the run continues this number
      continue;
    }
    Text.append(Typed.substr(Copied, End - Copied));
    Text.append(kFraction<Unit>, kFractionLength);
    Folded.Insertions.push_back(End);
    Copied = End;
    I = End;
  }
  Text.append(Typed.substr(Copied));
  // ";" is no unit of any other character, and no exponent rule looks at it.
  for (Unit& Character : Text) {
    if (Character == Unit(';')) Character = Unit(',');
  }
  return Folded;
}

template TTypedExpression<char> FoldTypedExpression(std::string_view Typed);
template TTypedExpression<char16_t> FoldTypedExpression(std::u16string_view Typed);

size_t TypedIndex(std::span<const size_t> Insertions, size_t Index) {
  size_t Shift = 0;
  for (const size_t At : Insertions) {
    const size_t Start = At + Shift;
    if (Index < Start) break;
    if (Index < Start + kFractionLength) return At;
    Shift += kFractionLength;
  }
  return Index - Shift;
}
