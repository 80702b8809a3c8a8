#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The expression as the engine reads it, from the text a person typed or a front end printed.
// Both front ends, the strip and vellox-calc, take two forms the engine's language does not
// have, and fold them here before the text is converted to Shift-JIS and scanned:
//   - ";" separates a function's arguments as "," does ("POWER(2;10)"), so that one text reads
//     in every locale, also where "," is a decimal point;
//   - a number with an exponent but no fraction, as results are printed ("1E20", "1E-5"), gets
//     the fraction ".0" that the language needs before an exponent, so that what is printed
//     reads back. A digit run that continues a name ("x1E5") or a fraction (".5E3") stays.
// Nothing else changes. A front end's own forms (the strip's decimal comma) are folded first,
// one character for one, so that the indices of the typed text stay valid here.
//
// Unit is a code unit of UTF-8 (char) or UTF-16 (char16_t): in both, every unit of a non-ASCII
// character lies above 0x7F, so an ASCII unit is always its character. Shift-JIS is no such
// text (a trail byte may be a letter's), which is why the fold comes before the conversion.
template <typename Unit>
struct TTypedExpression {
  std::basic_string<Unit> Text;  // what is evaluated
  // Where the fraction went in, as indices of the typed text (of its exponent letter), ascending.
  std::vector<size_t> Insertions;
};

template <typename Unit>
TTypedExpression<Unit> FoldTypedExpression(std::basic_string_view<Unit> Typed);

extern template TTypedExpression<char> FoldTypedExpression(std::string_view Typed);
extern template TTypedExpression<char16_t> FoldTypedExpression(std::u16string_view Typed);

// The index in the typed text of the unit at Index of the folded text, given where the fraction
// went in: the exponent's letter for a unit of an inserted fraction. Error positions are shown
// at the typed text through it.
size_t TypedIndex(std::span<const size_t> Insertions, size_t Index);
