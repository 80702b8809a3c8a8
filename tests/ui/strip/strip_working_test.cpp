// The strip as a working tool: the history of the run, the answer key, the mark of variables that
// were never given a value, what a syntax error says, and a result that stands only beside its
// own expression.
#include <QAccessible>
#include <QClipboard>
#include <QKeySequence>
#include <QMetaEnum>
#include <QTest>

#include <cmath>
#include <vector>

#include "field/field_hint.h"
#include "look/speed_button.h"
#include "look/ui_palette.h"
#include "strip/result_field.h"
#include "ui_fixture.h"

namespace {

class StripWorkTest : public UiTest {
protected:
  void SetUp() override {
    UiTest::SetUp();
    Start();
  }
  void Restart() {
    Strip.reset();
    Start();
    Bells = 0;
  }
  TLongLineEdit* Expression() const { return Strip->Edit1; }
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
  TUiColours Colours() const { return UiColours(Strip->palette()); }
};

TEST_F(StripWorkTest, UpAndDownRecallTheExpressionsOfTheRun) {
  // Each step: "=text" evaluates text, ":text" sets the field as typing would, "+text" types at
  // the caret, "^" is Up, "v" Down; then the field's text and the bells rung so far.
  struct Step {
    const char* Do;
    const char* Expected;
    int Bells;
  };
  const std::vector<std::vector<Step>> Cases = {
      // Back past the one just evaluated to the oldest, forward to it.
      {{"=1+1", "1+1", 0}, {"=2+2", "2+2", 0}, {"^", "1+1", 0}, {"^", "1+1", 1}, {"v", "2+2", 1}, {"v", "2+2", 2}},
      // The line being typed comes back after the newest.
      {{"=1+1", "1+1", 0}, {":7*", "7*", 0}, {"^", "1+1", 0}, {"v", "7*", 0}},
      // An edited recall is evaluated as a new entry; the edit starts recalling anew.
      {{"=a=1", "a=1", 0}, {"=a*2", "a*2", 0}, {"^", "a=1", 0}, {"+0", "a=10", 0}, {"^", "a*2", 0},
       {"v", "a=10", 0}, {"=a=10", "a=10", 0}, {"^", "a*2", 0}, {"^", "a=1", 0}},
      // Failures and faults are kept, equal neighbours and blanks once or not at all.
      {{"=1+", "1+", 1}, {"=1/0", "1/0", 1}, {"=5", "5", 1}, {"=5", "5", 1}, {"= ", " ", 2}, {"^", "5", 2},
       {"^", "1/0", 2}, {"^", "1+", 2}, {"^", "1+", 3}},
  };
  for (size_t C = 0; C < Cases.size(); ++C) {
    Restart();
    for (size_t I = 0; I < Cases[C].size(); ++I) {
      const Step& S = Cases[C][I];
      const QString Text = QString::fromUtf8(S.Do + 1);
      switch (S.Do[0]) {
        case '=': Evaluate(Text); break;
        case ':': Expression()->setText(Text); break;
        case '+': QTest::keyClicks(Expression(), Text); break;
        case '^': Key(Qt::Key_Up); break;
        case 'v': Key(Qt::Key_Down); break;
      }
      EXPECT_EQ(Expression()->text(), S.Expected) << "case " << C << ", step " << I;
      EXPECT_EQ(Bells, S.Bells) << "case " << C << ", step " << I;
    }
  }
  // A recall is an edit that undo takes back.
  Evaluate("4*4");
  QTest::keyClicks(Expression(), "+1");
  Key(Qt::Key_Up);
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Expression()->text(), "4*4+1");
}

TEST_F(StripWorkTest, TheAnswerKeyInsertsTheLastResultAtTheCaret) {
  Evaluate("30+14.19");  // a tax sum: the total, then with tax
  Key(Qt::Key_A, Qt::ControlModifier);
  AnswerKey();
  EXPECT_EQ(Expression()->text(), "44.19");
  QTest::keyClicks(Expression(), "*1.19");
  Key(Qt::Key_Return);
  EXPECT_EQ(Result()->text(), "52.5861");
  Expression()->setText("2*()");  // at the caret; the value, stale by now, is still the last answer
  Expression()->setCursorPosition(3);
  AnswerKey();
  EXPECT_EQ(Expression()->text(), "2*(52.5861)");
  EXPECT_EQ(Bells, 0);
  // None after a failure or a clear, nor room for one in a full field: the bell.
  for (const char* Failure : {"1+", "1/0", "&C", "full"}) {
    Evaluate("6*7");
    if (Failure == std::string("&C")) Strip->SpeedButton3->click();
    else if (Failure != std::string("full")) Evaluate(Failure);
    const QString Before = Failure == std::string("full") ? QString(TVellox1::kExpressionLimit - 1, u'1') : "x";
    Expression()->setText(Before);
    Bells = 0;
    AnswerKey();
    EXPECT_EQ(Expression()->text(), Before) << Failure;
    EXPECT_EQ(Bells, 1) << Failure;
  }
  // The key is none the platform's editing keys, the menu or the access keys (Alt) use, and the
  // result field's tool tip names it.
  const QKeySequence Answer(TVellox1::kAnswerKey);
  const QMetaEnum Standard = QMetaEnum::fromType<QKeySequence::StandardKey>();
  ASSERT_FALSE(QKeySequence::keyBindings(QKeySequence::SelectAll).isEmpty());
  for (int I = 0; I < Standard.keyCount(); ++I) {
    const auto Which = static_cast<QKeySequence::StandardKey>(Standard.value(I));
    EXPECT_FALSE(QKeySequence::keyBindings(Which).contains(Answer)) << Standard.key(I);
  }
  EXPECT_EQ(TVellox1::kAnswerKey.keyboardModifiers(), Qt::ControlModifier);
  Evaluate("2");
  EXPECT_TRUE(Result()->toolTip().contains(Answer.toString())) << Result()->toolTip().toStdString();
  EXPECT_TRUE(Strip->ExpressionHint()->Text().contains(Answer.toString()));
  // Drawn only: a screen reader does not read it as the field's name or description on every focus.
  QAccessibleInterface* Read = QAccessible::queryAccessibleInterface(Expression());
  ASSERT_NE(Read, nullptr);
  for (const QAccessible::Text Which : {QAccessible::Name, QAccessible::Description})
    EXPECT_FALSE(Read->text(Which).contains(Strip->ExpressionHint()->Text())) << Which;
}

TEST_F(StripWorkTest, AValueComputedWithNamesNeverGivenAValueIsMarked) {
  const char* Cosines = "SQRT(a**2 + b**2 - 2*a*b*COS(60/180*pi))";
  const struct {
    std::vector<const char*> Texts;  // the last one's value counts
    const char* Value;
    const char* Named;  // empty: no mark
  } Cases[] = {
      {{"total = 44.19", "totl * 1.19"}, "0", "totl"},
      {{"a = 3", "b = 5", Cosines}, "2", "pi"},
      {{"a = 3", "b = 5", "pi = ARCTAN(1)*4", Cosines}, "4.35889894354067", ""},
      {{"x = 2", "x * 3"}, "6", ""},
      {{"y = y + 1"}, "1", "y"},
  };
  for (const auto& C : Cases) {
    Restart();
    for (const char* Text : C.Texts) Evaluate(Text);
    ASSERT_EQ(Result()->text(), C.Value) << C.Texts.back();
    EXPECT_EQ(Background(), WindowBackground());
    const QString Note = QStringLiteral("未定義の変数 %1 を 0 として計算しました").arg(C.Named);
    EXPECT_EQ(Result()->toolTip().contains(Note), *C.Named != 0) << Result()->toolTip().toStdString();
    EXPECT_EQ(Result()->accessibleDescription().contains(Note), *C.Named != 0);
    EXPECT_EQ(TextColour(), *C.Named ? Colours().MarkText : WindowText()) << C.Texts.back();
  }
  // The mark stays once the value is stale, and reads well on both backgrounds.
  QTest::keyClicks(Expression(), "+");
  EXPECT_EQ(Background(), kClSilver);
  EXPECT_EQ(TextColour(), Colours().MarkText);
  EXPECT_GE(Contrast(Colours().MarkText, WindowBackground()), 4.5);
  EXPECT_GE(Contrast(Colours().MarkText, kClSilver), 4.5);
}

TEST_F(StripWorkTest, ASyntaxErrorSaysWhatAndWhere) {
  const struct {
    const char* Text;
    int Caret;
    const char* Detail;  // the tool tip; the field says "構文エラー"
  } Cases[] = {
      {"2^10", 1, "2 文字目の「^」を読めません"},  {"1e+x", 1, "2 文字目の「e」を読めません"},
      {"(1+2", 4, "式が途中で終わっています"},     {"3,5*2", 1, "2 文字目の「,」を読めません"},
      {"2(3)", 1, "2 文字目の「(」を読めません"},  {"5.", 1, "2 文字目の「.」を読めません"},
      {"xあ + ^", 5, "6 文字目の「^」を読めません"},  // characters, not bytes
      {"  ", 2, "式がありません"},
  };
  for (const auto& C : Cases) {
    Evaluate("6*7");
    Bells = 0;
    Evaluate(QString::fromUtf8(C.Text));
    EXPECT_EQ(Result()->text(), "構文エラー") << C.Text;
    EXPECT_EQ(Result()->toolTip(), "構文エラー: " + QString::fromUtf8(C.Detail)) << C.Text;
    EXPECT_FALSE(Result()->isEnabled()) << C.Text;
    EXPECT_EQ(Background(), kClSilver) << C.Text;
    EXPECT_EQ(TextColour(), Colours().GreyedText) << C.Text;  // greyed, yet readable
    EXPECT_EQ(Expression()->cursorPosition(), C.Caret) << C.Text;
    EXPECT_EQ(Strip->ShownResult(), "") << C.Text;
    EXPECT_EQ(Bells, 1) << C.Text;
  }
  EXPECT_GE(Contrast(Colours().GreyedText, kClSilver), 4.5);
  Evaluate(QString(1022, u'(') + "1" + QString(1022, u')'));
  EXPECT_EQ(Result()->text(), "入れ子が深すぎます");
  EXPECT_TRUE(ShowsWholeText(Result()));
  EXPECT_EQ(Expression()->cursorPosition(), 1023);
}

TEST_F(StripWorkTest, TheResultFieldIsReadOnlyAndStaysBesideItsOwnExpression) {
  QTest::keyClicks(Expression(), "1+1");
  Key(Qt::Key_Return);
  Result()->setFocus();
  QTest::keyClicks(Result(), "9");
  QTest::keyClick(Result(), Qt::Key_Backspace);
  EXPECT_EQ(Result()->text(), "2");
  QTest::mouseDClick(Result(), Qt::LeftButton, {}, Result()->rect().center());
  QTest::keyClick(Result(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "2");

  // Edited, the expression has its old value beside it in the no-result look, still to copy.
  QTest::keyClicks(Expression(), "*3");
  EXPECT_EQ(Result()->text(), "2");
  EXPECT_TRUE(Result()->isEnabled());
  EXPECT_EQ(Background(), kClSilver);
  EXPECT_EQ(TextColour(), Colours().GreyedText);
  EXPECT_TRUE(Result()->toolTip().contains("式が変わりました"));
  EXPECT_EQ(Strip->ShownResult(), "");
  // Undone back to the evaluated text, it is the result again.
  Expression()->setText("1+1");
  Key(Qt::Key_Return);
  QTest::keyClicks(Expression(), "0");
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Background(), WindowBackground());
  EXPECT_EQ(TextColour(), WindowText());
  EXPECT_EQ(Strip->ShownResult(), "2");
}

}  // namespace
