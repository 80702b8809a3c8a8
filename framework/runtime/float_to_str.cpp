#include "runtime/float_to_str.h"

#include <cmath>

#include "runtime/significant_digits.h"

std::string FloatToStr(Extended Value, std::string_view DecimalSeparator) {
  if (std::isnan(Value)) return "NAN";
  if (std::isinf(Value)) return Value < 0 ? "-INF" : "INF";
  if (Value == 0) return "0";

  const SignificantDigits Rounded = RoundToSignificantDigits(Value);
  const int Exponent = Rounded.Exponent;
  char Digits[kSignificantDigits];
  uint64_t Rest = Rounded.Digits;
  for (int I = kSignificantDigits; I-- > 0; Rest /= 10) Digits[I] = static_cast<char>('0' + Rest % 10);
  size_t Count = kSignificantDigits;
  while (Count > 1 && Digits[Count - 1] == '0') --Count;
  const std::string_view Significant(Digits, Count);

  std::string Text;
  Text.reserve(32 + DecimalSeparator.size());
  if (Rounded.Negative) Text.push_back('-');
  if (Exponent >= -4 && Exponent < kSignificantDigits) {
    if (Exponent < 0) {
      Text += '0';
      Text += DecimalSeparator;
      Text.append(static_cast<size_t>(-Exponent - 1), '0');
      Text += Significant;
    } else {
      const size_t IntegerDigits = static_cast<size_t>(Exponent) + 1;
      if (Count <= IntegerDigits) {
        Text += Significant;
        Text.append(IntegerDigits - Count, '0');
      } else {
        Text += Significant.substr(0, IntegerDigits);
        Text += DecimalSeparator;
        Text += Significant.substr(IntegerDigits);
      }
    }
  } else {
    Text += Significant[0];
    if (Count > 1) {
      Text += DecimalSeparator;
      Text += Significant.substr(1);
    }
    Text += 'E';
    Text += std::to_string(Exponent);
  }
  return Text;
}
