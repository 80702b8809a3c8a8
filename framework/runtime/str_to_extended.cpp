#include "runtime/str_to_extended.h"

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

#include "runtime/exceptions.h"
#include "runtime/short_decimal.h"

namespace {

// The "C" locale, so that a point is the decimal point also after a program set the user's
// locale (Qt does so at start-up).
locale_t ClassicLocale() {
  static const locale_t Classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  return Classic;
}

}  // namespace

Extended StrToExtended(const std::string& Text) {
  // Most numbers people write are short: they convert exactly without the multi-precision work.
  if (const std::optional<Extended> Short = ShortDecimalValue(Text)) return *Short;
  const Extended Value = strtold_l(Text.c_str(), nullptr, ClassicLocale());
  if (std::isinf(Value)) throw EOverflow();
  return Value;
}
