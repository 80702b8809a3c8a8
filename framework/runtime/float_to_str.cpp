#include "runtime/float_to_str.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kSignificantDigits = 15;

}  // namespace

std::string FloatToStr(Extended Value, std::string_view DecimalSeparator) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  if (Value == 0) return "0";

  // "%.14Le" rounds to 15 significant digits once, correctly, and tells the exponent of the
  // rounded value: "-d.dddddddddddddde+XX".
  char Buffer[64];
  std::snprintf(Buffer, sizeof Buffer, "%.*Le", kSignificantDigits - 1, Value);
  const char* Cursor = Buffer;
  const bool Negative = *Cursor == '-';
  if (Negative) ++Cursor;

  std::string Digits;
  Digits.reserve(kSignificantDigits);
  for (; *Cursor != 'e'; ++Cursor) {
    if (*Cursor != '.') Digits.push_back(*Cursor);
  }
  const int Exponent = std::atoi(Cursor + 1);
  while (Digits.size() > 1 && Digits.back() == '0') Digits.pop_back();

  std::string Text;
  if (Negative) Text.push_back('-');
  if (Exponent >= -4 && Exponent < kSignificantDigits) {
    if (Exponent < 0) {
      Text += '0';
      Text += DecimalSeparator;
      Text.append(static_cast<size_t>(-Exponent - 1), '0');
      Text += Digits;
    } else {
      const size_t IntegerDigits = static_cast<size_t>(Exponent) + 1;
      if (Digits.size() <= IntegerDigits) {
        Text += Digits;
        Text.append(IntegerDigits - Digits.size(), '0');
      } else {
        Text.append(Digits, 0, IntegerDigits);
        Text += DecimalSeparator;
        Text.append(Digits, IntegerDigits);
      }
    }
  } else {
    Text += Digits[0];
    if (Digits.size() > 1) {
      Text += DecimalSeparator;
      Text.append(Digits, 1);
    }
    Text += 'E';
    Text += std::to_string(Exponent);
  }
  return Text;
}
