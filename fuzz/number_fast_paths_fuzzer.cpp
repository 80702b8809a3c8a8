// libFuzzer target: the exact fast paths of number conversion and formatting against the C
// library's full ones. The input read as the text of a number must convert through
// ShortDecimalValue to the same Extended, bit for bit, as through strtold, wherever the fast path
// takes it; its first ten bytes read as an Extended must round through ExactSignificantDigits to
// the same 15 digits and exponent as through printf, wherever the exact rounding takes them. A
// difference aborts.
#include <clocale>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <string>

#include "runtime/short_decimal.h"
#include "runtime/significant_digits.h"

namespace {

void CheckConversion(const std::string& Text) {
  const std::optional<Extended> Short = ShortDecimalValue(Text);
  if (!Short) return;
  static const locale_t Classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  const Extended Full = strtold_l(Text.c_str(), nullptr, Classic);
  if (std::memcmp(&*Short, &Full, 10) != 0) std::abort();
}

void CheckRounding(const uint8_t* Bytes) {
  Extended Value = 0;
  std::memcpy(&Value, Bytes, 10);
  const std::optional<SignificantDigits> Exact = ExactSignificantDigits(Value);
  if (Exact && !(*Exact == PrintedSignificantDigits(Value))) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  // strtold reads up to the first zero byte; so does the text here.
  CheckConversion(std::string(reinterpret_cast<const char*>(Data), strnlen(reinterpret_cast<const char*>(Data), Size)));
  if (Size >= 10) CheckRounding(Data);
  return 0;
}
