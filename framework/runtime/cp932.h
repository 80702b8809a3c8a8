#pragma once

#include <string>
#include <string_view>

#include "runtime/exceptions.h"

// Text that cannot be converted: invalid UTF-8, or a character with no Shift-JIS (CP932) form.
class EConvertError : public Exception {
public:
  using Exception::Exception;
};

// A character with no Shift-JIS (CP932) form, kept so that a message in another language can name it.
class ENoCp932Form : public EConvertError {
public:
  ENoCp932Form(std::string_view Character, char32_t CodePoint);
  // The character as UTF-8 text.
  const std::string& Character() const { return FCharacter; }
  char32_t CodePoint() const { return FCodePoint; }

private:
  std::string FCharacter;
  char32_t FCodePoint;
};

// Converts UTF-8 text to the Shift-JIS code page 932 bytes the expression engine reads. Only exact
// conversions are made: a character that CP932 cannot hold, or holds only as another character
// (such as the yen sign, which would come back as a backslash), raises ENoCp932Form naming it;
// invalid UTF-8 raises EConvertError.
std::string Utf8ToCp932(std::string_view Utf8);

// Converts Shift-JIS (CP932) bytes to UTF-8 for display; a byte sequence with no character is
// shown as U+FFFD. Never raises for bad input.
std::string Cp932ToUtf8(std::string_view Cp932);
