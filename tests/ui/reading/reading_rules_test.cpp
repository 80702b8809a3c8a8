// The rules by which the strip reads text, a row per case.
#include <gtest/gtest.h>

#include <QStringList>

#include "engine/expr_compo.h"
#include "reading/parse_error_text.h"
#include "reading/pasted_text.h"
#include "runtime/cp932.h"

namespace {

// Each character read maps back to the one typed (an inserted fraction to its exponent's letter).
TEST(ReadingRulesTest, FoldNumbersAndTheWayBackToTheTypedText) {
  const struct { QString Typed; char16_t Separator; QString Read; } Cases[] = {
      {"1E20", '.', "1.0E20"}, {"-1e-5*2E+3", '.', "-1.0e-5*2.0E+3"}, {"2,5E3;1E2", ',', "2.5E3,1.0E2"},
      {"2,5E3;1E2", '.', "2,5.0E3,1.0E2"}, {"1 ,5E1+2, 3", ',', "1 ,5.0E1+2, 3"}, {"1E5E5", '.', "1.0E5E5"},
      {"x1E5+_2E1+.5E3+3.E2", '.', "x1E5+_2E1+.5E3+3.E2"}, {"xア1E5+1E+ +12E", '.', "xア1E5+1E+ +12E"},
  };
  const QStringList Folds = {";,", ",.", "E.", "E0", "e.", "e0"};  // typed, then read
  for (const auto& C : Cases) {
    const TFoldedExpression F = FoldNumbers(C.Typed, QChar(C.Separator));
    EXPECT_EQ(F.Text.toStdString(), C.Read.toStdString());
    for (qsizetype I = 0; I <= F.Text.size(); ++I) {  // the end maps to the end: both empty
      const QString Pair = C.Typed.mid(F.TypedIndex(I), 1) + F.Text.mid(I, 1);
      EXPECT_TRUE(Pair.isEmpty() || Pair[0] == Pair[1] || Folds.contains(Pair)) << Pair.toStdString();
    }
  }
}

// What the strip says where the engine rejected the folded text: at the character as typed.
TEST(ReadingRulesTest, DescribeParseErrorSpeaksOfTheTypedText) {
  const struct { QString Typed; int Caret; QString Detail; } Cases[] = {
      {"", 0, "構文エラー: 式がありません"}, {"  ", 2, "構文エラー: 式がありません"}, {"1E5+", 4, "構文エラー: 式が途中で終わっています"},
      {"1E5E5", 3, "構文エラー: 4 文字目の「E」を読めません"}, {"x値+2E3)", 6, "構文エラー: 7 文字目の「)」を読めません"},
      {"power(1;)", 8, "構文エラー: 9 文字目の「)」を読めません"},
      {QString(1022, '(') + "1)", 1023, "式の入れ子が深すぎます（括弧は 1021 重まで）"},  // stopped at ")"
  };
  for (const auto& C : Cases) {
    const TFoldedExpression Folded = FoldNumbers(C.Typed, u'.');
    TExprCompo Compo;
    Compo.Expression = Utf8ToCp932(Folded.Text.toStdString());
    Compo.Calculate();
    const TParseErrorText Text = DescribeParseError(Compo.Error(), Compo.Expression, Compo.ErrorPosition(), Folded);
    EXPECT_EQ(Text.Detail.toStdString(), C.Detail.toStdString());
    EXPECT_TRUE(C.Detail.contains(Text.Message) && Text.Caret == C.Caret) << Text.Caret;
  }
}

TEST(ReadingRulesTest, FirstPastedLine) {
  const struct { std::u16string_view Pasted, Line; bool Dropped; } Cases[] = {
      {u"1+2\n3*4", u"1+2"}, {u"\r\n5", u""}, {u"a\tb\u2028c", u"a b"}, {u"7\u0085 8", u"7"}, {u"9\v", u"9"},
      {u"\f", u""}, {u"x\u2029y", u"x"}, {u"5\n\x01", u"5"}, {std::u16string_view(u"1\0" u"2", 3), u"12", true},
      {u"\x1b[0m8\x7f", u"[0m8", true}, {u"１＋２\u3000𠮷\u00AD", u"1+2 𠮷\u00AD"},
  };
  for (const auto& C : Cases) {
    const PastedLine Line = FirstPastedLine(QString::fromUtf16(C.Pasted.data(), C.Pasted.size()));
    EXPECT_TRUE(Line.Text.toStdU16String() == C.Line && Line.Dropped == C.Dropped) << Line.Text.toStdString();
  }
}

}  // namespace
