// Text as a Japanese user enters it with an input method left on: full-width forms typed,
// committed or pasted; a composition pending when the expression is evaluated or clicked off; the
// keypad's field, which takes no composition.
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QTest>

#include "look/speed_button.h"
#include "ui_fixture.h"

namespace {

class TypedInputTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
  }
  static void Send(QWidget* Field, const char* Preedit, const char* Commit = "") {
    QInputMethodEvent Composed(QString::fromUtf8(Preedit), {});
    Composed.setCommitString(QString::fromUtf8(Commit));
    QCoreApplication::sendEvent(Field, &Composed);
  }
  static QRect Caret(QWidget* Field) { return Field->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }
  std::string Expression() const { return Strip->Edit1->text().toStdString(); }
  std::string Result() const { return Strip->Edit2->text().toStdString(); }
  void Evaluate() { QTest::keyClick(Strip->Edit1, Qt::Key_Return); }
};

TEST_F(TypedInputTest, FullWidthFormsBecomeAsciiInTheFieldHoweverTheyCome) {
  const char* const Cases[][3] = {{"ｘ半径　＝　２", "x半径 = 2", "2"}, {"８÷２×３−１", "8/2*3-1", "11"}};
  for (int Way = 0; Way < 3; ++Way) {
    for (const auto& C : Cases) {
      Strip->Edit1->clear();
      if (Way == 0) {  // typed key by key
        for (QChar Character : QString::fromUtf8(C[0])) {
          QKeyEvent Key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(Character));
          QCoreApplication::sendEvent(Strip->Edit1, &Key);
        }
      } else if (Way == 1) {
        Send(Strip->Edit1, "", C[0]);  // committed by the input method
      } else {
        PasteInto(Strip->Edit1, PasteWay::Drop, QString::fromUtf8(C[0]));  // the paste filter's path
      }
      EXPECT_EQ(Expression(), C[1]) << Way;
      Evaluate();
      EXPECT_EQ(Result(), C[2]) << Way;
    }
  }
}

TEST_F(TypedInputTest, EvaluationCommitsTheCompositionFirstAndSoDoesAClickOffIt) {
  for (const char* Assignment : {"x = 5", "x半径 = 7"}) {
    Strip->Edit1->setText(QString::fromUtf8(Assignment));
    Evaluate();
  }
  for (int Action = 0; Action < 5; ++Action) {
    Strip->Edit1->setText("x");
    Send(Strip->Edit1, "半径＊２");  // converted, not committed: the field's text is still "x"
    ASSERT_EQ(Expression(), "x");
    if (Action == 0) QTest::mouseClick(Strip->SpeedButton2, Qt::LeftButton);  // "＝" takes no focus
    if (Action == 1) Evaluate();
    if (Action == 2) Strip->SpeedButton5->click();  // the keypad locks the strip
    if (Action == 3) {
      QTest::mouseClick(Strip->Edit1, Qt::LeftButton, {}, Caret(Strip->Edit1).center());  // on it
      EXPECT_EQ(Expression(), "x");
      QTest::mouseClick(Strip->Edit1, Qt::LeftButton, {}, QPoint(2, 10));  // off it
    }
    if (Action == 4) QTest::mouseDClick(Strip->Edit1, Qt::LeftButton, {}, Caret(Strip->Edit1).center());  // on it
    EXPECT_EQ(Expression(), "x半径*2") << Action;  // committed as shown, then folded as typed
    if (Action == 2) Pad->close();
    Evaluate();
    EXPECT_EQ(Result(), "14") << Action;
    EXPECT_EQ(Expression(), "x半径*2") << Action;  // committed once
  }
}

TEST_F(TypedInputTest, TheKeypadsFieldTakesNoComposition) {
  // An input method asks the focused field whether it takes its text: the keypad's says no.
  for (QWidget* Field : std::initializer_list<QWidget*>{Pad->Edit1, Strip->Edit1}) {
    QInputMethodQueryEvent Query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(Field, &Query);
    EXPECT_EQ(Query.value(Qt::ImEnabled).toBool(), Field == Strip->Edit1);
    EXPECT_EQ(Query.value(Qt::ImCursorRectangle).toRect(), Caret(Field));
    // A composition sent anyway is not shown: the caret does not move behind it.
    const QRect Before = Caret(Field);
    Send(Field, "１２");
    EXPECT_EQ(Caret(Field) == Before, Field == Pad->Edit1);
    Send(Field, "");
  }
  Strip->SpeedButton5->click();
  Send(Pad->Edit1, "４", "１２＋３");  // what is committed with it is typed, folded
  EXPECT_EQ(PadExpr, "12+3");
  Pad->SpeedButtons[10]->click();
  EXPECT_EQ(Pad->Edit1->text(), "15");
}

}  // namespace
