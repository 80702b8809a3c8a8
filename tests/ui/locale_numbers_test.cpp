#include <QLocale>
#include <QTest>

#include "ui_fixture.h"

namespace {

// Numbers as each locale writes them: what the strip shows, and that the text shown evaluates
// back to the same result when typed or pasted into the expression field.
TEST_F(UiTest, WhatIsShownReadsBackInEveryLocale) {
  Start();
  const QLocale Before;
  const struct {
    const char* Locale;
    const char* Expression;
    const char* Shown;  // a syntax error when empty
    int Caret;          // where the caret stands after the error
  } Cases[] = {
      {"de_DE", "2,5*2", "5"},     {"de_DE", "5/2", "2,5"},       {"de_DE", "power(2;10)", "1024"},
      {"de_DE", "power(2,5;2)", "6,25"},  {"de_DE", "1.5+1", "2,5"},  {"de_DE", "2**64/3", "6,14891469123652E18"},
      {"de_DE", "0-2/3*10**-300", "-6,66666666666667E-301"},  {"de_DE", "10**20", "1E20"},
      {"de_DE", "-10**-5", "-1E-5"},   {"fr_FR", "-1/4", "-0,25"},   {"en_US", "5/2", "2.5"},
      {"en_US", "power(2,10)+power(2;1)", "1026"},  {"en_US", "2**64/3", "6.14891469123652E18"},
      {"en_US", "10**-5*2", "2E-5"},   {"ja_JP", "-1/8", "-0.125"},  {"C", "12e+2", "1200"},
      {"de_DE", "power(2,10)", "", 10}, {"de_DE", "1.000,5", "", 5}, {"en_US", "1,5", "", 1},
      {"en_US", "1E20 5", "", 5},      {"en_US", "x1E5", "0"},
  };
  for (const auto& C : Cases) {
    QLocale::setDefault(QLocale(C.Locale));
    Strip->Edit1->setText(C.Expression);
    QTest::keyClick(Strip->Edit1, Qt::Key_Return);
    if (!*C.Shown) {
      EXPECT_EQ(Strip->ShownResult(), "") << C.Locale << " " << C.Expression;
      EXPECT_EQ(Strip->Edit1->cursorPosition(), C.Caret) << C.Locale << " " << C.Expression;
      // Where "," is a decimal point, the tool tip says how arguments are separated.
      EXPECT_EQ(Strip->Edit2->toolTip().contains("「;」"), QLocale().decimalPoint() == ",") << C.Expression;
      continue;
    }
    EXPECT_EQ(Strip->ShownResult(), C.Shown) << C.Locale << " " << C.Expression;
    Strip->Edit1->setText(C.Shown);
    QTest::keyClick(Strip->Edit1, Qt::Key_Return);
    EXPECT_EQ(Strip->ShownResult(), C.Shown) << C.Locale << " read back";
  }
  QLocale::setDefault(Before);
}

}  // namespace
