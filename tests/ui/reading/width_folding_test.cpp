#include <gtest/gtest.h>

#include "reading/width_folding.h"

namespace {

TEST(WidthFoldingTest, FullWidthFormsAndInputMethodSignsBecomeAsciiAndNothingElse) {
  const struct {
    char16_t Typed, Folded;
  } Cases[] = {
      // the full-width forms: their ends, the digits, letters and the language's signs
      {u'！', u'!'}, {u'０', u'0'}, {u'９', u'9'}, {u'Ａ', u'A'}, {u'ｚ', u'z'}, {u'＿', u'_'},
      {u'＊', u'*'}, {u'＋', u'+'}, {u'－', u'-'}, {u'．', u'.'}, {u'／', u'/'}, {u'＝', u'='},
      {u'（', u'('}, {u'）', u')'}, {u'～', u'~'},
      // the ideographic space and the input method's minus, times and divided-by signs
      {u'\u3000', u' '}, {u'−', u'-'}, {u'×', u'*'}, {u'÷', u'/'},
      // what stays: ASCII, the neighbours of the folded ranges and signs, other dashes, tildes,
      // spaces and yen signs, kana and kanji
      {u'+', u'+'}, {u'\uFF00', u'\uFF00'}, {u'｟', u'｟'}, {u'ｱ', u'ｱ'}, {u'￥', u'￥'}, {u'¥', u'¥'},
      {u'‐', u'‐'}, {u'―', u'―'}, {u'〜', u'〜'}, {u'\u00A0', u'\u00A0'}, {u'\u3001', u'\u3001'},
      {u'ー', u'ー'}, {u'は', u'は'}, {u'半', u'半'}, {u'Ö', u'Ö'}, {u'ø', u'ø'},
  };
  for (const auto& C : Cases) EXPECT_EQ(FoldWidth(QChar(C.Typed)).unicode(), C.Folded) << int(C.Typed);
  EXPECT_EQ(FoldWidth(QString::fromUtf8("ｘ半径　＝𠮷")).toStdString(), "x半径 =𠮷");
}

}  // namespace
