// The strip's message boxes speak Japanese: the faults of an evaluation in the strip's words, and
// the framework's own texts for what the program did not foresee.
#include <QLineEdit>
#include <QTest>

#include <new>
#include <stdexcept>
#include <string>

#include "qt/application.h"
#include "runtime/exceptions.h"
#include "ui_fixture.h"

namespace {

class JapaneseMessagesTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
  }
  // Evaluates Expression in the strip and returns what the message box showed, if anything.
  std::string ReportFor(const QString& Expression) {
    Reported.clear();
    Strip->Edit1->setText(Expression);
    QTest::keyClick(Strip->Edit1, Qt::Key_Return);
    return Reported.join("|").toStdString();
  }
};

// An input of 4096 bytes whose bytes 2045 to 2048 are "1.5E" followed by "+x": the number 1.5
// gives back three bytes, of which the first was read before the buffer was filled anew.
QString StraddlingNumber() {
  QString Text = QString("1+").repeated(1022) + "1.5E+x";
  while (Text.size() < 4096) Text += "+1";
  return Text;
}

TEST_F(JapaneseMessagesTest, FaultsAreToldInTheStripsWords) {
  const struct {
    QString Expression;
    const char* Message;
  } Cases[] = {
      {"SQR(1.0E3000)", "値が大きすぎます（扱えるのは 1.18973149535723E4932 まで）。式を直してください。"},
      {"1.0E5000", "値が大きすぎます（扱えるのは 1.18973149535723E4932 まで）。式を直してください。"},
      {"LN(0-1)", "この計算はできません（負の数の平方根や対数、0 ÷ 0 など）。式を直してください。"},
      // characters a Japanese keyboard types easily that Shift-JIS does not hold, named
      {QString::fromUtf8("1〜2"), "「〜」(U+301C) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。"},
      {QString::fromUtf8("¥100"), "「¥」(U+00A5) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。"},
      {QString::fromUtf8("𠮷田"), "「𠮷」(U+20BB7) は式に使えない文字です（Shift-JIS にありません）。消すか、ほかの文字に書き換えてください。"},
      // the scanner's two limits
      {"n" + QString(1023, 'a'), "名前か数が長すぎます。1023 文字までにしてください。"},
      {StraddlingNumber(), "長い式の途中にある数を読み取れません。その数の書き方（E の後など）を直すか、式を短くしてください。"},
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ReportFor(C.Expression), C.Message) << C.Expression.left(20).toStdString();
  }
  EXPECT_EQ(ReportFor(QString(1023, 'a')), "");  // a name one character shorter fits
}

TEST_F(JapaneseMessagesTest, WhatTheProgramDidNotForeseeIsToldInJapaneseToo) {
  const char* const Unknown = "予期しないエラーが起きました。動きがおかしいときは Vellox を起動し直してください。";
  const struct {
    std::function<void()> Raise;
    const char* Message;
  } Cases[] = {
      {[] { throw Exception("貼り付ける文字列が長すぎます。"); }, "貼り付ける文字列が長すぎます。"},  // the program's own
      {[] { throw std::bad_alloc(); }, "メモリが足りません。ほかのプログラムを閉じるか、式を短くしてください。"},
      {[] { throw std::out_of_range("vector::_M_range_check"); }, Unknown},
      {[] { throw 42; }, Unknown},
  };
  for (const auto& C : Cases) {
    Reported.clear();
    Application::Guard(C.Raise);
    EXPECT_EQ(Reported.join("|").toStdString(), C.Message);
  }
}

}  // namespace
