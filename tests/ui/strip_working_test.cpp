// The strip as a working tool: the history of the run, the answer key, the mark of variables that
// were never given a value, what a syntax error says, and a result that stands only beside its
// own expression.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QMetaEnum>
#include <QTest>

#include <cmath>
#include <string>
#include <vector>

#include "result_field.h"
#include "speed_button.h"
#include "ui_fixture.h"
#include "ui_palette.h"

namespace {

class StripWorkTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
  }
  void Restart() {
    Pad.reset();
    Strip.reset();
    Start();
    Bells = 0;
  }
  QLineEdit* Expression() const { return Strip->Edit1; }
  QLineEdit* Result() const { return Strip->Edit2; }
  void Key(int Key, Qt::KeyboardModifiers Modifiers = Qt::NoModifier) {
    QTest::keyClick(Expression(), static_cast<Qt::Key>(Key), Modifiers);
  }
  void Evaluate(const QString& Text) {
    Expression()->setText(Text);
    Key(Qt::Key_Return);
  }
  void AnswerKey() { Key(TVellox1::kAnswerKey.key(), TVellox1::kAnswerKey.keyboardModifiers()); }
  QColor Background() const { return Result()->palette().color(QPalette::Base); }
  QColor TextColour() const { return Result()->palette().color(QPalette::Text); }
};

// The steps of a history case: evaluate a text, set the field as typing would leave it, type at
// the caret, press Up or Down; after each, the field's text and the bells rung so far.
struct Step {
  enum { Evaluate, Set, Type, Up, Down } Do;
  const char* Text;      // of Evaluate, Set and Type
  const char* Expected;  // the field afterwards
  int Bells;
};

TEST_F(StripWorkTest, UpAndDownRecallTheExpressionsOfTheRun) {
  const struct {
    const char* What;
    std::vector<Step> Steps;
  } Cases[] = {
      {"back past the one just evaluated, forward to it",
       {{Step::Evaluate, "1+1", "1+1", 0}, {Step::Evaluate, "2+2", "2+2", 0}, {Step::Evaluate, "3+3", "3+3", 0},
        {Step::Up, "", "2+2", 0}, {Step::Up, "", "1+1", 0}, {Step::Up, "", "1+1", 1},  // the oldest: a bell
        {Step::Down, "", "2+2", 1}, {Step::Down, "", "3+3", 1}, {Step::Down, "", "3+3", 2}}},
      {"the line being typed comes back after the newest",
       {{Step::Evaluate, "1+1", "1+1", 0}, {Step::Set, "7*", "7*", 0}, {Step::Up, "", "1+1", 0},
        {Step::Down, "", "7*", 0}, {Step::Down, "", "7*", 1}}},
      {"an edited recall is evaluated as a new entry",
       {{Step::Evaluate, "a=1", "a=1", 0}, {Step::Evaluate, "a*2", "a*2", 0}, {Step::Up, "", "a=1", 0},
        {Step::Type, "0", "a=10", 0}, {Step::Up, "", "a*2", 0},  // an edit starts recalling anew
        {Step::Down, "", "a=10", 0}, {Step::Evaluate, "a=10", "a=10", 0}, {Step::Up, "", "a*2", 0},
        {Step::Up, "", "a=1", 0}, {Step::Down, "", "a*2", 0}, {Step::Down, "", "a=10", 0}}},
      {"equal neighbours once, failures and faults too",
       {{Step::Evaluate, "1+", "1+", 1}, {Step::Evaluate, "1/0", "1/0", 1}, {Step::Evaluate, "5", "5", 1},
        {Step::Evaluate, "5", "5", 1}, {Step::Set, "", "", 1}, {Step::Up, "", "5", 1}, {Step::Up, "", "1/0", 1},
        {Step::Up, "", "1+", 1}, {Step::Up, "", "1+", 2}}},
      {"nothing evaluated yet",
       {{Step::Set, "9", "9", 0}, {Step::Up, "", "9", 1}, {Step::Down, "", "9", 2}, {Step::Evaluate, "", "", 3},
        {Step::Up, "", "", 4}}},
  };
  for (const auto& C : Cases) {
    Restart();
    for (size_t I = 0; I < C.Steps.size(); ++I) {
      const Step& S = C.Steps[I];
      switch (S.Do) {
        case Step::Evaluate: Evaluate(S.Text); break;
        case Step::Set: Expression()->setText(S.Text); break;
        case Step::Type: QTest::keyClicks(Expression(), S.Text); break;
        case Step::Up: Key(Qt::Key_Up); break;
        case Step::Down: Key(Qt::Key_Down); break;
      }
      Reported.clear();  // the division by zero's box
      EXPECT_EQ(Expression()->text(), S.Expected) << C.What << ", step " << I;
      EXPECT_EQ(Bells, S.Bells) << C.What << ", step " << I;
    }
  }
  // A recall is an edit: the caret goes to its end, and undo brings back the line.
  Restart();
  Evaluate("4*4");
  QTest::keyClicks(Expression(), "+1");
  Key(Qt::Key_Up);
  EXPECT_EQ(Expression()->cursorPosition(), 3);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Expression()->text(), "4*4+1");
}

TEST_F(StripWorkTest, TheAnswerKeyInsertsTheLastResultAtTheCaret) {
  AnswerKey();  // no result yet
  EXPECT_EQ(Expression()->text(), "");
  EXPECT_EQ(Bells, 1);

  // A tax sum: the total, then the total with tax.
  Evaluate("30+14.19");
  ASSERT_EQ(Result()->text(), "44.19");
  Key(Qt::Key_A, Qt::ControlModifier);
  AnswerKey();
  EXPECT_EQ(Expression()->text(), "44.19");
  QTest::keyClicks(Expression(), "*1.19");
  Key(Qt::Key_Return);
  EXPECT_EQ(Result()->text(), "52.5861");
  // At the caret, with the result stale by now: it is still the last answer.
  Expression()->setText("2*()");
  Expression()->setCursorPosition(3);
  AnswerKey();
  EXPECT_EQ(Expression()->text(), "2*(52.5861)");
  EXPECT_EQ(Expression()->cursorPosition(), 10);
  Evaluate("-1/3*1.0E-4900");  // a long value, exactly as shown
  ASSERT_EQ(Result()->text(), "-3.33333333333333E-4901");
  Expression()->setText("2*");
  AnswerKey();
  EXPECT_EQ(Expression()->text(), "2*-3.33333333333333E-4901");
  EXPECT_EQ(Bells, 1);

  // After a failure, or a clear, there is no last answer.
  const struct {
    const char* What;
    std::function<void()> Failure;
  } Cases[] = {
      {"a syntax error", [this] { Evaluate("1+"); }},
      {"a fault", [this] { Evaluate("1/0"); }},
      {"a clear", [this] { Strip->SpeedButton3->click(); }},
  };
  for (const auto& C : Cases) {
    Evaluate("6*7");
    C.Failure();
    Expression()->setText("x");
    Bells = 0;
    AnswerKey();
    EXPECT_EQ(Expression()->text(), "x") << C.What;
    EXPECT_EQ(Bells, 1) << C.What;
  }
  // Nor room for it in a full field.
  Evaluate("6*7");
  Expression()->setText(QString(TVellox1::kExpressionLimit - 1, u'1'));
  Bells = 0;
  AnswerKey();
  EXPECT_EQ(Expression()->text().size(), TVellox1::kExpressionLimit - 1);
  EXPECT_EQ(Bells, 1);
}

TEST_F(StripWorkTest, TheAnswerKeyIsNoKeyInUseAndTheResultFieldNamesIt) {
  const QKeySequence Answer(TVellox1::kAnswerKey);
  const QMetaEnum Standard = QMetaEnum::fromType<QKeySequence::StandardKey>();
  ASSERT_FALSE(QKeySequence::keyBindings(QKeySequence::SelectAll).isEmpty());  // the platform has its keys
  for (int I = 0; I < Standard.keyCount(); ++I) {
    const auto Which = static_cast<QKeySequence::StandardKey>(Standard.value(I));
    EXPECT_FALSE(QKeySequence::keyBindings(Which).contains(Answer)) << Standard.key(I);
  }
  // Access keys are Alt with a letter; the menu's own keys are letters alone.
  EXPECT_EQ(TVellox1::kAnswerKey.keyboardModifiers(), Qt::ControlModifier);
  for (QAction* Item : Strip->PopupMenu1->actions()) EXPECT_NE(Item->shortcut(), Answer);
  Evaluate("2");
  EXPECT_TRUE(Result()->toolTip().contains(Answer.toString())) << Result()->toolTip().toStdString();
}

double Luminance(const QColor& C) {
  const auto Linear = [](double V) { return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4); };
  return 0.2126 * Linear(C.redF()) + 0.7152 * Linear(C.greenF()) + 0.0722 * Linear(C.blueF());
}

double Contrast(const QColor& A, const QColor& B) {
  const double L1 = Luminance(A), L2 = Luminance(B);
  return (std::max(L1, L2) + 0.05) / (std::min(L1, L2) + 0.05);
}

TEST_F(StripWorkTest, AValueComputedWithNamesNeverGivenAValueIsMarked) {
  const struct {
    const char* What;
    std::vector<const char*> Before;
    const char* Text;
    const char* Value;
    const char* Named;  // empty: no mark
  } Cases[] = {
      {"a typo", {"total = 44.19"}, "totl * 1.19", "0", "totl"},
      {"pi is no built-in", {"a = 3", "b = 5"}, "SQRT(a**2 + b**2 - 2*a*b*COS(60/180*pi))", "2", "pi"},
      {"pi given a value", {"a = 3", "b = 5", "pi = ARCTAN(1)*4"}, "SQRT(a**2 + b**2 - 2*a*b*COS(60/180*pi))",
       "4.35889894354067", ""},
      {"assigned, then read", {"x = 2"}, "x * 3", "6", ""},
      {"read inside an assignment", {}, "y = y + 1", "1", "y"},
      {"several, each once", {}, "p + q * p", "0", "p, q"},
      {"many", {}, "v1+v2+v3+v4+v5+v6+v7", "0", "v1, v2, v3, v4, v5 ほか 2 個"},
  };
  for (const auto& C : Cases) {
    Restart();
    for (const char* Earlier : C.Before) Evaluate(Earlier);
    Evaluate(C.Text);
    ASSERT_EQ(Result()->text(), C.Value) << C.What;
    EXPECT_TRUE(Result()->isEnabled()) << C.What;
    EXPECT_EQ(Background(), WindowBackground()) << C.What;
    const QString Note = QStringLiteral("未定義の変数 %1 を 0 として計算しました").arg(QString::fromUtf8(C.Named));
    if (*C.Named) {
      EXPECT_EQ(TextColour(), TResultField::kUnassignedMark) << C.What;
      EXPECT_TRUE(Result()->toolTip().contains(Note)) << C.What << ": " << Result()->toolTip().toStdString();
      EXPECT_TRUE(Result()->accessibleDescription().contains(Note)) << C.What;
    } else {
      EXPECT_EQ(TextColour(), WindowText()) << C.What;
      EXPECT_FALSE(Result()->toolTip().contains("未定義")) << C.What;
    }
  }
  // The mark stays once the value is stale, and reads well on both backgrounds.
  Evaluate("totl");
  QTest::keyClicks(Expression(), "+");
  EXPECT_EQ(Background(), kClSilver);
  EXPECT_EQ(TextColour(), TResultField::kUnassignedMark);
  EXPECT_GE(Contrast(TResultField::kUnassignedMark, WindowBackground()), 4.5);
  EXPECT_GE(Contrast(TResultField::kUnassignedMark, kClSilver), 4.5);
}

TEST_F(StripWorkTest, ASyntaxErrorSaysWhatAndWhere) {
  const struct {
    const char* Text;
    const char* Message;
    int Caret;
    const char* Detail;
  } Cases[] = {
      {"2^10", "構文エラー", 1, "構文エラー: 2 文字目の「^」を読めません"},
      {"1e-9", "構文エラー", 1, "構文エラー: 2 文字目の「e」を読めません"},
      {"(1+2", "構文エラー", 4, "構文エラー: 式が途中で終わっています"},
      {"3,5*2", "構文エラー", 1, "構文エラー: 2 文字目の「,」を読めません"},
      {"2(3)", "構文エラー", 1, "構文エラー: 2 文字目の「(」を読めません"},
      {"5.", "構文エラー", 1, "構文エラー: 2 文字目の「.」を読めません"},
      {"xあ + ^", "構文エラー", 5, "構文エラー: 6 文字目の「^」を読めません"},  // characters, not bytes
      {"2＋1", "構文エラー", 1, "構文エラー: 2 文字目の「＋」を読めません"},
      {"  ", "構文エラー", 2, "構文エラー: 式がありません"},
  };
  for (const auto& C : Cases) {
    Evaluate("6*7");
    Bells = 0;
    Expression()->setText(QString::fromUtf8(C.Text));
    Expression()->setCursorPosition(0);
    Key(Qt::Key_Return);
    EXPECT_EQ(Result()->text(), QString::fromUtf8(C.Message)) << C.Text;
    EXPECT_EQ(Result()->toolTip(), QString::fromUtf8(C.Detail)) << C.Text;
    EXPECT_FALSE(Result()->isEnabled()) << C.Text;
    EXPECT_EQ(Background(), kClSilver) << C.Text;
    EXPECT_EQ(TextColour(), TResultField::kGreyedText) << C.Text;  // readable, though greyed
    EXPECT_EQ(Expression()->cursorPosition(), C.Caret) << C.Text;
    EXPECT_EQ(Expression()->text(), QString::fromUtf8(C.Text)) << C.Text;
    EXPECT_EQ(Strip->ShownResult(), "") << C.Text;
    EXPECT_EQ(Bells, 1) << C.Text;
    EXPECT_TRUE(ShowsWholeText(Result())) << C.Text;
  }
  const QString Deep = QString(1022, u'(') + "1" + QString(1022, u')');
  Evaluate(Deep);
  EXPECT_EQ(Result()->text(), "入れ子が深すぎます");
  EXPECT_TRUE(ShowsWholeText(Result()));
  EXPECT_EQ(Expression()->cursorPosition(), 1023);
}

TEST_F(StripWorkTest, TheResultFieldIsReadOnlyAndStaysBesideItsOwnExpression) {
  QTest::keyClicks(Expression(), "1+1");
  Key(Qt::Key_Return);
  ASSERT_EQ(Result()->text(), "2");
  EXPECT_TRUE(Result()->isReadOnly());
  Result()->setFocus();
  QTest::keyClicks(Result(), "9");
  Key(Qt::Key_Backspace);
  EXPECT_EQ(Result()->text(), "2");
  // It can still be selected and copied.
  QTest::mouseDClick(Result(), Qt::LeftButton, {}, Result()->rect().center());
  QTest::keyClick(Result(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "2");

  // An edit of the expression: the value stays to read and copy, in the no-result look.
  Expression()->setFocus();
  QTest::keyClicks(Expression(), "*3");
  EXPECT_EQ(Result()->text(), "2");
  EXPECT_TRUE(Result()->isEnabled());
  EXPECT_EQ(Background(), kClSilver);
  EXPECT_EQ(TextColour(), TResultField::kGreyedText);
  EXPECT_GE(Contrast(TResultField::kGreyedText, kClSilver), 4.5);
  EXPECT_TRUE(Result()->toolTip().contains("式が変わりました")) << Result()->toolTip().toStdString();
  EXPECT_EQ(Strip->ShownResult(), "");
  // Undone back to the evaluated text, it is the result again.
  Key(Qt::Key_Z, Qt::ControlModifier);
  Key(Qt::Key_Z, Qt::ControlModifier);
  ASSERT_EQ(Expression()->text(), "1+1");
  EXPECT_EQ(Background(), WindowBackground());
  EXPECT_EQ(TextColour(), WindowText());
  EXPECT_EQ(Strip->ShownResult(), "2");
  EXPECT_FALSE(Result()->toolTip().contains("式が変わりました"));
}

TEST_F(StripWorkTest, TheKeypadTakesOnlyATrueResultForItsAnswer) {
  Strip->SpeedButton5->click();
  const struct {
    const char* Expression;
    const char* Answer;
  } Cases[] = {{"6*7", "42"}, {"6*", ""}, {"totl", "0"}};
  for (const auto& C : Cases) {
    Strip->Edit1->setText(C.Expression);
    Pad->AnswerClick(Pad.get());
    EXPECT_EQ(Pad->Edit1->text(), C.Answer) << C.Expression;
  }
}

TEST_F(StripWorkTest, TheEmptyExpressionFieldSaysWhereToType) {
  const QString Placeholder = Expression()->placeholderText();
  EXPECT_TRUE(Placeholder.contains("式")) << Placeholder.toStdString();
  EXPECT_TRUE(Placeholder.contains(QKeySequence(TVellox1::kAnswerKey).toString())) << Placeholder.toStdString();
}

}  // namespace
