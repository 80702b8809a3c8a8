// libFuzzer target: converts arbitrary bytes from UTF-8 to CP932 as vellox-calc does with each
// expression. EConvertError for invalid UTF-8 or a character without a CP932 form is the
// expected answer; anything else is a finding. A successful conversion must also be exact: the
// ASCII bytes come through unchanged, and the result is no longer than the input (no character
// grows from UTF-8 to CP932).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "runtime/cp932.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::string_view Input(reinterpret_cast<const char*>(Data), Size);
  std::string Output;
  try {
    Output = Utf8ToCp932(Input);
  } catch (const EConvertError&) {
    return 0;
  }
  if (Output.size() > Input.size()) std::abort();
  bool AllAscii = true;
  for (const unsigned char Byte : Input) AllAscii &= Byte < 0x80;
  if (AllAscii && Output != Input) std::abort();
  return 0;
}
