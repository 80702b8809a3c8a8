#include "runtime/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace {

// One conversion descriptor per direction and thread, opened on first use and kept.
class IconvHandle {
public:
  IconvHandle(const char* To, const char* From) : Handle(iconv_open(To, From)) {
    if (Handle == reinterpret_cast<iconv_t>(-1)) {
      throw EConvertError(std::string("The text conversion from ") + From + " to " + To +
                          " is not available on this system");
    }
  }
  ~IconvHandle() { iconv_close(Handle); }
  IconvHandle(const IconvHandle&) = delete;
  IconvHandle& operator=(const IconvHandle&) = delete;

  // Converts all of Input; false when any of it cannot be converted.
  bool Convert(std::string_view Input, std::string& Output) {
    iconv(Handle, nullptr, nullptr, nullptr, nullptr);
    char* In = const_cast<char*>(Input.data());
    size_t InLeft = Input.size();
    char Buffer[16];
    while (InLeft > 0) {
      char* Out = Buffer;
      size_t OutLeft = sizeof Buffer;
      const size_t Done = iconv(Handle, &In, &InLeft, &Out, &OutLeft);
      Output.append(Buffer, static_cast<size_t>(Out - Buffer));
      if (Done == static_cast<size_t>(-1) && errno != E2BIG) return false;
    }
    return true;
  }

private:
  iconv_t Handle;
};

std::string Describe(std::string_view Character, char32_t CodePoint) {
  char Code[16];
  std::snprintf(Code, sizeof Code, "U+%04X", static_cast<unsigned>(CodePoint));
  return "\"" + std::string(Character) + "\" (" + Code + ")";
}

// Length of the UTF-8 sequence at Text[Position] and its code point; 0 when it is not valid UTF-8
// (a stray continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF).
size_t DecodeUtf8(std::string_view Text, size_t Position, char32_t& CodePoint) {
  const auto Byte = [&](size_t I) { return static_cast<unsigned char>(Text[Position + I]); };
  const unsigned char Lead = Byte(0);
  size_t Length;
  char32_t Minimum;
  if (Lead < 0x80) {
    CodePoint = Lead;
    return 1;
  } else if ((Lead & 0xE0) == 0xC0) {
    Length = 2, CodePoint = Lead & 0x1F, Minimum = 0x80;
  } else if ((Lead & 0xF0) == 0xE0) {
    Length = 3, CodePoint = Lead & 0x0F, Minimum = 0x800;
  } else if ((Lead & 0xF8) == 0xF0) {
    Length = 4, CodePoint = Lead & 0x07, Minimum = 0x10000;
  } else {
    return 0;
  }
  if (Position + Length > Text.size()) return 0;
  for (size_t I = 1; I < Length; ++I) {
    if ((Byte(I) & 0xC0) != 0x80) return 0;
    CodePoint = (CodePoint << 6) | (Byte(I) & 0x3F);
  }
  if (CodePoint < Minimum || CodePoint > 0x10FFFF) return 0;
  if (CodePoint >= 0xD800 && CodePoint <= 0xDFFF) return 0;
  return Length;
}


IconvHandle& ToCp932() {
  thread_local IconvHandle Handle("CP932", "UTF-8");
  return Handle;
}

IconvHandle& FromCp932() {
  thread_local IconvHandle Handle("UTF-8", "CP932");
  return Handle;
}

bool IsLeadByte(unsigned char Byte) { return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC); }

}  // namespace

ENoCp932Form::ENoCp932Form(std::string_view Character, char32_t CodePoint)
    : EConvertError("The character " + Describe(Character, CodePoint) + " has no Shift-JIS (CP932) form"),
      FCharacter(Character),
      FCodePoint(CodePoint) {}

std::string Utf8ToCp932(std::string_view Utf8) {
  std::string Result;
  Result.reserve(Utf8.size());
  size_t Position = 0;
  while (Position < Utf8.size()) {
    // Plain ASCII is the same in both encodings and is by far the common case: a run of it is
    // copied at once (a whole line, as a rule).
    size_t RunEnd = Position;
    while (RunEnd < Utf8.size() && static_cast<unsigned char>(Utf8[RunEnd]) < 0x80) ++RunEnd;
    Result.append(Utf8.substr(Position, RunEnd - Position));
    Position = RunEnd;
    if (Position == Utf8.size()) break;
    char32_t CodePoint = 0;
    const size_t Length = DecodeUtf8(Utf8, Position, CodePoint);
    if (Length == 0) {
      char Message[96];
      std::snprintf(Message, sizeof Message, "Invalid UTF-8 byte 0x%02X at byte %zu of the text",
                    static_cast<unsigned char>(Utf8[Position]), Position + 1);
      throw EConvertError(Message);
    }
    const std::string_view Character = Utf8.substr(Position, Length);
    std::string Encoded, Back;
    if (!ToCp932().Convert(Character, Encoded) || !FromCp932().Convert(Encoded, Back) ||
        Back != Character) {
      throw ENoCp932Form(Character, CodePoint);
    }
    Result += Encoded;
    Position += Length;
  }
  return Result;
}

std::string Cp932ToUtf8(std::string_view Cp932) {
  std::string Result;
  Result.reserve(Cp932.size());
  size_t Position = 0;
  while (Position < Cp932.size()) {
    const auto Byte = static_cast<unsigned char>(Cp932[Position]);
    if (Byte < 0x80) {
      Result.push_back(static_cast<char>(Byte));
      ++Position;
      continue;
    }
    const size_t Length = IsLeadByte(Byte) && Position + 1 < Cp932.size() ? 2 : 1;
    if (!FromCp932().Convert(Cp932.substr(Position, Length), Result)) Result += "\xEF\xBF\xBD";
    Position += Length;
  }
  return Result;
}
