#include <QLocale>
#include <QTest>

#include "ui_fixture.h"

namespace {

// What the strip shows in each locale, and that the text shown evaluates back to the same result.
TEST_F(UiTest, WhatIsShownReadsBackInEveryLocale) {
  Start();
  const QLocale Before;
  const struct {
    const char *Locale, *Expression, *Shown;  // a syntax error, with the caret at Caret, when empty
    int Caret = 0;
  } Cases[] = {
      {"de_DE", "2,5*2", "5"},     {"de_DE", "5/2", "2,5"},       {"de_DE", "power(2;10)", "1024"},
      {"de_DE", "power(2,5;2)", "6,25"},  {"de_DE", "1.5+1", "2,5"},  {"de_DE", "2**64/3", "6,14891469123652E18"},
      {"de_DE", "0-2/3*10**-300", "-6,66666666666667E-301"},  {"de_DE", "10**20", "1E20"},
      {"de_DE", "-10**-5", "-1E-5"},   {"fr_FR", "-1/4", "-0,25"},   {"en_US", "5/2", "2.5"},
      {"en_US", "power(2,10)+power(2;1)", "1026"},  {"en_US", "2**64/3", "6.14891469123652E18"},
      {"en_US", "10**-5*2", "2E-5"},   {"ja_JP", "-1/8", "-0.125"},  {"C", "12e+2", "1200"},
      {"en_US", "x1E5", "0"},          {"de_DE", "power(2,10)", "", 10}, {"de_DE", "1.000,5", "", 5},
      {"en_US", "1,5", "", 1},         {"en_US", "1E20 5", "", 5},
  };
  for (const auto& C : Cases) {
    QLocale::setDefault(QLocale(C.Locale));
    for (const char* Typed : {C.Expression, C.Shown}) {
      Strip->Edit1->setText(Typed);
      QTest::keyClick(Strip->Edit1, Qt::Key_Return);
      EXPECT_EQ(Strip->ShownResult(), C.Shown) << C.Locale << " " << Typed;
      if (*C.Shown) continue;
      EXPECT_EQ(Strip->Edit1->cursorPosition(), C.Caret) << C.Locale << " " << C.Expression;
      // Where "," is a decimal point, the tool tip says how arguments are separated.
      EXPECT_EQ(Strip->Edit2->toolTip().contains("「;」"), QLocale().decimalPoint() == ",") << C.Expression;
      break;
    }
  }
  QLocale::setDefault(Before);
}

}  // namespace
