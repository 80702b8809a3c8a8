#include <gtest/gtest.h>

#include <QString>

#include "width_folding.h"

namespace {

TEST(WidthFoldingTest, FullWidthFormsAndInputMethodSignsBecomeAscii) {
  const struct {
    char16_t Typed;
    char16_t Folded;
  } Cases[] = {
      // the full-width forms, their ends and what the language reads among them
      {u'！', u'!'}, {u'＂', u'"'}, {u'＊', u'*'}, {u'＋', u'+'}, {u'－', u'-'}, {u'．', u'.'},
      {u'／', u'/'}, {u'０', u'0'}, {u'９', u'9'}, {u'＝', u'='}, {u'（', u'('}, {u'）', u')'},
      {u'Ａ', u'A'}, {u'Ｅ', u'E'}, {u'Ｚ', u'Z'}, {u'＿', u'_'}, {u'ａ', u'a'}, {u'ｅ', u'e'},
      {u'ｚ', u'z'}, {u'＾', u'^'}, {u'～', u'~'},
      // the ideographic space and the signs an input method offers for minus, times and divided by
      {u'\u3000', u' '}, {u'−', u'-'}, {u'×', u'*'}, {u'÷', u'/'},
      // what stays: ASCII, the neighbours of the full-width forms, other dashes, tildes and spaces,
      // the yen signs, kana and kanji
      {u'+', u'+'}, {u' ', u' '}, {u'\uFF00', u'\uFF00'}, {u'｟', u'｟'}, {u'｡', u'｡'}, {u'ｱ', u'ｱ'},
      {u'￥', u'￥'}, {u'¥', u'¥'}, {u'‐', u'‐'}, {u'–', u'–'}, {u'―', u'―'}, {u'〜', u'〜'},
      {u'\u00A0', u'\u00A0'}, {u'\u2003', u'\u2003'}, {u'ー', u'ー'}, {u'は', u'は'}, {u'半', u'半'},
      {u'・', u'・'}, {u'Ö', u'Ö'}, {u'ø', u'ø'},  // beside × and ÷
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(FoldWidth(QChar(C.Typed)).unicode(), C.Folded) << std::hex << static_cast<int>(C.Typed);
  }
  // The whole block of full-width forms, in order, onto the printable ASCII characters.
  for (char16_t Code = 0xFF01; Code <= 0xFF5E; ++Code) {
    const char16_t Folded = FoldWidth(QChar(Code)).unicode();
    EXPECT_EQ(Folded, Code - 0xFF01 + u'!') << std::hex << static_cast<int>(Code);
  }
}

TEST(WidthFoldingTest, TextKeepsEveryCharacterThatIsNotFolded) {
  const struct {
    const char* Typed;
    const char* Folded;
  } Cases[] = {
      {"x半径　＝　２", "x半径 = 2"},
      {"ＳＱＲＴ（１．５Ｅ＋２）−１", "SQRT(1.5E+2)-1"},
      {"８÷２×３", "8/2*3"},
      {"𠮷野家＋ｱｲ〜", "𠮷野家+ｱｲ〜"},  // a character beyond the BMP keeps both its halves
      {"", ""},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(FoldWidth(QString::fromUtf8(C.Typed)).toStdString(), C.Folded);
  }
}

}  // namespace
