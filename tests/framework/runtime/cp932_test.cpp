#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "runtime/cp932.h"

namespace {

using ::testing::HasSubstr;
using ::testing::ThrowsMessage;

TEST(Utf8ToCp932, ConvertsTextThatShiftJisHolds) {
  EXPECT_EQ(Utf8ToCp932("x = 2 ** 10"), "x = 2 ** 10");
  EXPECT_EQ(Utf8ToCp932(""), "");
  EXPECT_EQ(Utf8ToCp932("xア"), "x\x83\x41");
  EXPECT_EQ(Utf8ToCp932("xヂ"), "x\x83\x61");
  EXPECT_EQ(Utf8ToCp932("＝"), "\x81\x81");
  EXPECT_EQ(Utf8ToCp932("ｱ"), "\xB1");  // half-width katakana: one byte
  EXPECT_EQ(Utf8ToCp932("値 = 1"), "\x92\x6c = 1");
  EXPECT_EQ(Utf8ToCp932("a値bc値"), "a\x92\x6c" "bc\x92\x6c");  // ASCII runs between characters
  EXPECT_EQ(Utf8ToCp932(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf8ToCp932, RejectsCharactersWithoutAnExactForm) {
  // The euro sign has no form; the yen sign and the overline would silently become "\" and "~".
  const char* Rejected[] = {"1 € 2", "¥", "‾", "😀", "é"};
  for (const char* Text : Rejected) {
    EXPECT_THROW(Utf8ToCp932(Text), EConvertError) << Text;
  }
}

TEST(Utf8ToCp932, TheMessageNamesTheCharacter) {
  EXPECT_THAT([] { Utf8ToCp932("x + €"); }, ThrowsMessage<EConvertError>(HasSubstr("\"€\" (U+20AC)")));
}

TEST(Utf8ToCp932, RejectsMalformedUtf8WithItsPosition) {
  const std::string Malformed[] = {
      "\x80",              // stray continuation byte
      "a\xE3\x82",         // cut sequence
      "\xC0\xAF",          // overlong '/'
      "\xED\xA0\x80",      // surrogate
      "\xF4\x90\x80\x80",  // beyond U+10FFFF
      "\xFF",
  };
  for (const auto& Text : Malformed) {
    EXPECT_THROW(Utf8ToCp932(Text), EConvertError);
  }
  EXPECT_THAT([] { Utf8ToCp932("12\xFF"); }, ThrowsMessage<EConvertError>(HasSubstr("0xFF at byte 3")));
}

}  // namespace
