#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <algorithm>

#include "look/speed_button.h"
#include "ui_fixture.h"

namespace {

class CalPadTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
    Strip->SpeedButton5->click();  // open the keypad
  }
  // Clicks keypad buttons by caption: "1".."9", "0", "*", "/", "+", "-", "=", "C".
  void Press(const std::string& Keys) {
    for (char K : Keys) {
      static const std::string Order = "1234567890=C*/+-";  // SpeedButton1 .. SpeedButton16
      Pad->SpeedButtons[Order.find(K)]->click();
    }
  }
  QString Field() const { return Pad->Edit1->text(); }
  QString StripExpression() const { return Strip->Edit1->text(); }
};

TEST_F(CalPadTest, OpensAsASmallFixedWindowWithTheStripLocked) {
  EXPECT_TRUE(Pad->isVisible());
  EXPECT_EQ(Pad->windowTitle(), "CalcPad");
  // As wide as its field needs (128 at the least), which shows the longest result whole.
  EXPECT_GE(Pad->Edit1->width(), 93);
  EXPECT_EQ(Pad->size(), QSize(std::max(128, Pad->Edit1->geometry().right() + 4), 154));
  Strip->Edit1->setText("-3.64519953188247E-4951");
  Press("=");
  EXPECT_EQ(Field(), "-3.64519953188247E-4951");
  EXPECT_TRUE(ShowsWholeText(Pad->Edit1));
  EXPECT_TRUE(Pad->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(Strip->P1->isChecked());
  EXPECT_FALSE(Strip->FormEnabled());
  EXPECT_EQ(Pad->SpeedButtons[10]->geometry(), QRect(68, 128, 56, 24));  // "＝"
  EXPECT_EQ(Pad->SpeedButtons[11]->text(), "Ｃ");
  EXPECT_TRUE(Pad->SpeedButtons[11]->font().bold());
  for (auto* Button : Pad->SpeedButtons) EXPECT_FALSE(Button->accessibleName().isEmpty());
}

TEST_F(CalPadTest, BuildsAnExpressionAndEvaluatesItInTheStrip) {
  Press("12");
  EXPECT_EQ(StripExpression(), "12");
  EXPECT_EQ(Field(), "12");
  Press("+");
  EXPECT_EQ(StripExpression(), "12+");
  EXPECT_EQ(Field(), "");
  Press("3=");
  EXPECT_EQ(StripExpression(), "12+3");
  EXPECT_EQ(Strip->Edit2->text(), "15");
  EXPECT_EQ(Field(), "15");
  Press("*2=");  // "*2" does not parse: no result, here or in the strip, where the field says why
  EXPECT_EQ(StripExpression(), "*2");
  EXPECT_EQ(Field(), "");
  EXPECT_EQ(Strip->Edit2->text(), "構文エラー");
  EXPECT_FALSE(Strip->Edit2->isEnabled());
  EXPECT_EQ(Bells, 1);
}

TEST_F(CalPadTest, ClearEmptiesEverything) {
  Press("7=");
  Press("45+");
  Press("C");
  EXPECT_EQ(Field(), "");
  EXPECT_EQ(StripExpression(), "");
  EXPECT_EQ(Strip->Edit2->text(), "");
  EXPECT_FALSE(Strip->Edit2->isEnabled());
}

TEST_F(CalPadTest, TypedKeysAreFiltered) {
  Pad->activateWindow();
  QTest::keyClicks(Pad->Edit1, "12a.,*34");
  QTest::keyClick(Pad->Edit1, Qt::Key_Backspace);
  EXPECT_EQ(Field(), "3");
  EXPECT_EQ(StripExpression(), "12*3");
  QTest::keyClick(Pad->Edit1, Qt::Key_Return);
  EXPECT_EQ(Strip->Edit2->text(), "36");
  EXPECT_EQ(Field(), "36");

  // Text an input method commits is typed character by character through the same filter, its
  // full-width digits and operators as ASCII.
  QInputMethodEvent Composed;
  Composed.setCommitString(QString::fromUtf8("１a7＋"));
  QCoreApplication::sendEvent(Pad->Edit1, &Composed);
  EXPECT_EQ(Field(), "");  // the operator after a new number
  EXPECT_EQ(PadExpr, "17+");
  EXPECT_EQ(StripExpression(), "17+");
}

TEST_F(CalPadTest, TheFieldAlwaysShowsTheNumberTheExpressionHolds) {
  Pad->activateWindow();
  // Typed digits after a result, or with the caret anywhere, end the number as the buttons do.
  Press("23=");
  QTest::keyClicks(Pad->Edit1, "45");
  EXPECT_EQ(Field(), "45");
  EXPECT_EQ(StripExpression(), "45");
  Pad->Edit1->setCursorPosition(0);
  QTest::keyClicks(Pad->Edit1, "9");
  EXPECT_EQ(Field(), "459");
  EXPECT_EQ(Pad->Edit1->cursorPosition(), 3);
  EXPECT_EQ(PadExpr, "459");

  // Edits of the field's own are taken back: Delete (X sends it with the text DEL), cut, undo.
  Pad->Edit1->setCursorPosition(1);
  QKeyEvent Delete(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
  QCoreApplication::sendEvent(Pad->Edit1, &Delete);
  Pad->Edit1->selectAll();
  Pad->Edit1->cut();
  Pad->Edit1->undo();
  EXPECT_EQ(Field(), "459");
  EXPECT_EQ(PadExpr, "459");

  // Pasted or dropped text is typed, key by key, up to its first line break.
  for (const auto Way : kPasteWays) {
    Press("C");
    PasteInto(Pad->Edit1, Way, "12a+3\n*4");
    EXPECT_EQ(PadExpr, "12+3") << static_cast<int>(Way);
    EXPECT_EQ(Field(), "3") << static_cast<int>(Way);
  }
  // A paste longer than the strip holds: the digits it has room for, one bell for the rest.
  Press("C");
  Bells = 0;
  PasteInto(Pad->Edit1, PasteWay::CtrlV, QString(TVellox1::kExpressionLimit + 100, u'7'));
  EXPECT_EQ(StripExpression(), QString(TVellox1::kExpressionLimit, u'7'));
  EXPECT_EQ(Bells, 1);
}

TEST_F(CalPadTest, StateOutlivesClosingAndTheStripIsUnlocked) {
  Press("3");
  Pad->close();
  EXPECT_FALSE(Pad->isVisible());
  EXPECT_FALSE(Strip->P1->isChecked());
  EXPECT_FALSE(Strip->P1->isCheckable());  // no empty check box is drawn beside it
  EXPECT_TRUE(Strip->FormEnabled());

  // The strip's own editing leaves the keypad's strings alone.
  Strip->SpeedButton3->click();
  QTest::keyClicks(Strip->Edit1, "99");
  EXPECT_EQ(PadExpr, "3");

  Strip->P1->trigger();
  EXPECT_EQ(Field(), "3");
  Press("4");
  EXPECT_EQ(PadNumber, "34");
  EXPECT_EQ(StripExpression(), "34");
}

TEST_F(CalPadTest, AFaultDuringEvaluationIsReportedWithTheStringsEmpty) {
  Press("1/0=");
  EXPECT_EQ(Reported, QStringList{"0 で割ることはできません。式を直してください。"});
  EXPECT_EQ(PadExpr, "");
  EXPECT_EQ(Field(), "");
  EXPECT_TRUE(Pad->isVisible());
}

}  // namespace
