// Text as a Japanese user enters it, with an input method left on: full-width forms typed,
// committed, pasted or dropped; a composition still pending when the expression is evaluated; the
// keypad's field, which takes no composition.
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <string>

#include "speed_button.h"
#include "ui_fixture.h"

namespace {

class TypedInputTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
  }

  enum class Way { Typed, Committed, CtrlV, Drop };

  // Enters Text into Field as the user would: key by key (a key's text as the keyboard gives it),
  // as one commit of an input method, pasted or dropped.
  static void Enter(QLineEdit* Field, Way How, const QString& Text) {
    switch (How) {
      case Way::Typed:
        for (QChar Character : Text) {
          QKeyEvent Key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(Character));
          QCoreApplication::sendEvent(Field, &Key);
        }
        break;
      case Way::Committed: {
        QInputMethodEvent Composed;
        Composed.setCommitString(Text);
        QCoreApplication::sendEvent(Field, &Composed);
        break;
      }
      case Way::CtrlV: PasteInto(Field, PasteWay::CtrlV, Text); break;
      case Way::Drop: PasteInto(Field, PasteWay::Drop, Text); break;
    }
  }

  // An input method's composition shown in Field, not yet committed.
  static void Compose(QLineEdit* Field, const QString& Preedit) {
    QInputMethodEvent Composing(Preedit, {});
    QCoreApplication::sendEvent(Field, &Composing);
  }

  static QRect Caret(QLineEdit* Field) { return Field->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }

  std::string Expression() const { return Strip->Edit1->text().toStdString(); }
  std::string Result() const { return Strip->Edit2->text().toStdString(); }
  void Evaluate() { QTest::keyClick(Strip->Edit1, Qt::Key_Return); }
};

TEST_F(TypedInputTest, FullWidthFormsBecomeAsciiInTheFieldHoweverTheyCome) {
  const struct {
    const char* Entered;
    const char* Shown;
    const char* Result;
  } Cases[] = {
      {"ｘ半径　＝　２", "x半径 = 2", "2"},  // an assignment, not a new name
      {"x半径＊３", "x半径*3", "6"},
      {"１＋２", "1+2", "3"},
      {"８÷２×３−１", "8/2*3-1", "11"},
      {"ＳＱＲＴ（１．６Ｅ１）＊＊２", "SQRT(1.6E1)**2", "16"},
  };
  for (const Way How : {Way::Typed, Way::Committed, Way::CtrlV, Way::Drop}) {
    for (const auto& C : Cases) {
      const std::string What = std::string(C.Entered) + " way " + std::to_string(static_cast<int>(How));
      Strip->Edit1->clear();
      Enter(Strip->Edit1, How, QString::fromUtf8(C.Entered));
      EXPECT_EQ(Expression(), C.Shown) << What;
      Evaluate();
      EXPECT_EQ(Result(), C.Result) << What;
    }
  }
  EXPECT_TRUE(Reported.isEmpty());
  EXPECT_EQ(Bells, 0);
}

TEST_F(TypedInputTest, EvaluationCommitsTheCompositionFirst) {
  // "＝" and Enter evaluate, and the keypad takes the keys, only after the composition that the
  // expression field shows was committed.
  enum class Action { EqualsButton, EnterKey, OpenKeypad };
  for (const Action How : {Action::EqualsButton, Action::EnterKey, Action::OpenKeypad}) {
    const std::string What = "action " + std::to_string(static_cast<int>(How));
    for (const char* Assignment : {"x = 5", "x半径 = 7"}) {
      Strip->Edit1->setText(QString::fromUtf8(Assignment));
      Evaluate();
    }
    Strip->Edit1->setText("x");
    Compose(Strip->Edit1, QString::fromUtf8("半径＊２"));  // converted, not yet committed
    ASSERT_EQ(Expression(), "x") << What;
    switch (How) {
      case Action::EqualsButton: QTest::mouseClick(Strip->SpeedButton2, Qt::LeftButton); break;
      case Action::EnterKey: Evaluate(); break;
      case Action::OpenKeypad:
        QTest::mouseClick(Strip->SpeedButton5, Qt::LeftButton);
        ASSERT_TRUE(Pad->isVisible());
        EXPECT_EQ(Expression(), "x半径*2");
        Pad->SpeedButtons[10]->click();  // "＝"
        EXPECT_EQ(Pad->Edit1->text(), "14");
        Pad->close();
        break;
    }
    // What was shown is what was evaluated, committed as typed text is: folded.
    EXPECT_EQ(Expression(), "x半径*2") << What;
    EXPECT_EQ(Result(), "14") << What;
    // Committed once: a second evaluation finds nothing pending.
    Strip->SpeedButton2->click();
    EXPECT_EQ(Expression(), "x半径*2") << What;
  }
}

TEST_F(TypedInputTest, AClickOffTheCompositionKeepsItAsShown) {
  // The field would drop a composition that the input method does not commit on a click (fcitx
  // keeps composing it, unseen): committed first, it stays where it was shown.
  Strip->Edit1->setText("ab");
  Compose(Strip->Edit1, QString::fromUtf8("半径"));
  QTest::mouseClick(Strip->Edit1, Qt::LeftButton, {}, Caret(Strip->Edit1).center());  // on it
  EXPECT_EQ(Expression(), "ab");
  QTest::mouseClick(Strip->Edit1, Qt::LeftButton, {}, QPoint(3, Strip->Edit1->height() / 2));
  EXPECT_EQ(Expression(), "ab半径");
  EXPECT_EQ(Strip->Edit1->cursorPosition(), 0);  // and the caret goes where the click was

  Compose(Strip->Edit1, QString::fromUtf8("ｘ"));
  QTest::mouseDClick(Strip->Edit1, Qt::LeftButton, {}, Caret(Strip->Edit1).center());
  EXPECT_EQ(Expression(), "xab半径");
  Strip->SpeedButton2->click();  // nothing is left to commit
  EXPECT_EQ(Expression(), "xab半径");
}

TEST_F(TypedInputTest, TheKeypadsFieldTakesNoComposition) {
  // The input method asks a field whether it takes its text: the keypad's says no, the strip's yes.
  for (QLineEdit* Field : {Pad->Edit1, Strip->Edit1}) {
    QInputMethodQueryEvent Query(Qt::ImEnabled | Qt::ImCursorRectangle);
    QCoreApplication::sendEvent(Field, &Query);
    EXPECT_EQ(Query.value(Qt::ImEnabled).toBool(), Field == Strip->Edit1);
    EXPECT_EQ(Query.value(Qt::ImCursorRectangle).toRect(), Caret(Field));  // the other answers stand
  }

  // A composition sent all the same is not shown: the caret stays where it is (in the strip's
  // field, which shows it, the caret moves behind it).
  for (QLineEdit* Field : {Pad->Edit1, Strip->Edit1}) {
    const QRect Before = Caret(Field);
    Compose(Field, QString::fromUtf8("１２"));
    EXPECT_EQ(Caret(Field) == Before, Field == Pad->Edit1);
    Compose(Field, QString());
  }

  // Text committed along with a composition is typed, folded, and the composition not shown;
  // full-width keys are typed as ASCII.
  Strip->SpeedButton5->click();
  QInputMethodEvent Composed(QString::fromUtf8("４"), {});
  Composed.setCommitString(QString::fromUtf8("１２＋３"));
  QCoreApplication::sendEvent(Pad->Edit1, &Composed);
  EXPECT_EQ(PadExpr, "12+3");
  EXPECT_EQ(Pad->Edit1->text(), "3");
  const QRect AfterCommit = Caret(Pad->Edit1);
  Compose(Pad->Edit1, QString());  // would move the caret back over a composition shown
  EXPECT_EQ(Caret(Pad->Edit1), AfterCommit);
  Enter(Pad->Edit1, Way::Typed, QString::fromUtf8("５×２"));
  EXPECT_EQ(PadExpr, "12+35*2");
  EXPECT_EQ(Expression(), "12+35*2");
  Pad->SpeedButtons[10]->click();
  EXPECT_EQ(Result(), "82");
}

}  // namespace
