#include <gtest/gtest.h>

#include <optional>

#include "reading/expression_history.h"

namespace {

TEST(ExpressionHistoryTest, KeepsAThousandEntriesAndNoMoreThanItsCharacters) {
  TExpressionHistory History;
  for (int I = 1; I <= 1005; ++I) History.Add(QString::number(I));
  ASSERT_EQ(History.Size(), 1000u);
  EXPECT_EQ(History.At(0), "1005");
  EXPECT_EQ(History.At(999), "6");  // the five oldest went
  // Every one can be recalled, back to the oldest and no further.
  std::optional<QString> Line = QStringLiteral("typed");
  for (int Step = 0; Step < 1000; ++Step) {
    Line = History.Older(*Line);
    ASSERT_TRUE(Line) << Step;
  }
  EXPECT_EQ(*Line, "6");
  EXPECT_FALSE(History.Older(*Line));

  // Long expressions: the oldest go once the entries hold more characters than the bound.
  TExpressionHistory Long;
  const qsizetype Size = 65536;
  for (int I = 0; I < 40; ++I) Long.Add(QString(Size, QChar(u'a' + I % 26)) + QString::number(I));
  EXPECT_LE(Long.Size() * (Size + 2), TExpressionHistory::kMaxCharacters);
  EXPECT_GE((Long.Size() + 1) * Size, TExpressionHistory::kMaxCharacters);
  EXPECT_TRUE(Long.At(0).endsWith("39"));
  // One expression beyond the bound on its own is still kept.
  TExpressionHistory Huge;
  Huge.Add(QString(static_cast<qsizetype>(TExpressionHistory::kMaxCharacters) + 1, u'1'));
  EXPECT_EQ(Huge.Size(), 1u);
}

TEST(ExpressionHistoryTest, BlankAndRepeatedExpressionsAddNothing) {
  TExpressionHistory History;
  for (const char* Text : {"", "   ", "1+1", "1+1", "2", "1+1", "1+1"}) History.Add(Text);
  ASSERT_EQ(History.Size(), 3u);
  EXPECT_EQ(History.At(0), "1+1");
  EXPECT_EQ(History.At(1), "2");
  EXPECT_EQ(History.At(2), "1+1");  // equal, but not neighbours
}

}  // namespace
