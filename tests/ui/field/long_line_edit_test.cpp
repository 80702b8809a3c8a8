#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTextCharFormat>

#include <functional>

#include "field/line_access.h"
#include "field/long_line_edit.h"
#include "look/ui_fonts.h"

namespace {

// The long line edit stands in for Qt's line edit: after the same steps it must hold, select,
// show and answer as Qt's does. Each case runs its steps on both and compares.
struct FieldCase {
  const char* Name;
  QString Text;
  std::function<void(QWidget*)> Step;
};

QString Sum(int Length) { return QString("12+").repeated(Length / 3); }

void Keys(QWidget* Field, std::initializer_list<QKeyCombination> Keys) {
  for (const QKeyCombination Key : Keys) QTest::keyClick(Field, Key.key(), Key.keyboardModifiers());
}

void Type(QWidget* Field, const char* Text) { QTest::keyClicks(Field, QString::fromUtf8(Text)); }

void Caret(QWidget* Field, int Position) {
  WithLine(Field, [&](auto* Line) { Line->setCursorPosition(Position); });
}

void Compose(QWidget* Field, const char* Preedit, const char* Commit = "") {
  QTextCharFormat Underlined;
  Underlined.setFontUnderline(true);
  const QString Shown = QString::fromUtf8(Preedit);
  QInputMethodEvent Event(Shown, {{QInputMethodEvent::TextFormat, 0, static_cast<int>(Shown.size()), Underlined},
                                  {QInputMethodEvent::Cursor, static_cast<int>(Shown.size()), 1, {}}});
  Event.setCommitString(QString::fromUtf8(Commit));
  QCoreApplication::sendEvent(Field, &Event);
}

TEST(LongLineEditTest, EditsAsQtsLineEdit) {
  const Qt::KeyboardModifier Ctrl = Qt::ControlModifier;
  const Qt::KeyboardModifier Shift = Qt::ShiftModifier;
  const FieldCase Cases[] = {
      {"typing, then undo takes the run back", "1+", [](QWidget* F) { Type(F, "23"); Keys(F, {Ctrl | Qt::Key_Z}); }},
      {"undo after a caret move, then redo", "1+2",
       [&](QWidget* F) {
         Type(F, "4");
         Keys(F, {Qt::Key_Home});
         Type(F, "5");
         Keys(F, {Ctrl | Qt::Key_Z, Ctrl | Qt::Key_Z, Ctrl | Shift | Qt::Key_Z});
       }},
      {"words by Ctrl+arrows", "sin(12.5) + cos 3",
       [&](QWidget* F) { Keys(F, {Ctrl | Qt::Key_Left, Ctrl | Qt::Key_Left, Ctrl | Shift | Qt::Key_Left}); }},
      {"Ctrl+Backspace and Ctrl+Delete", "12*(34 + 56)",
       [&](QWidget* F) {
         Keys(F, {Ctrl | Qt::Key_Backspace});
         Caret(F, 2);
         Keys(F, {Ctrl | Qt::Key_Delete});
       }},
      {"Delete takes a whole cluster", QString::fromUtf8("1e\u0301+\U0001F600"),
       [](QWidget* F) {
         Caret(F, 1);
         Keys(F, {Qt::Key_Delete, Qt::Key_Right, Qt::Key_Right, Qt::Key_Delete});
       }},
      {"Backspace takes a surrogate pair", QString::fromUtf8("7\U0001F600"),
       [](QWidget* F) { Keys(F, {Qt::Key_Backspace}); }},
      {"typing over a selection, undone", "123456",
       [&](QWidget* F) {
         Keys(F, {Shift | Qt::Key_Left, Shift | Qt::Key_Left});
         Type(F, "9");
         Keys(F, {Ctrl | Qt::Key_Z});
       }},
      {"the length limit", "", [](QWidget* F) { Type(F, "123456789"); }},
      {"a composition committed", "1+",
       [](QWidget* F) {
         Compose(F, "けい");
         Compose(F, "", "計");
       }},
      {"select all and Delete", Sum(300), [&](QWidget* F) { Keys(F, {Ctrl | Qt::Key_A, Qt::Key_Delete}); }},
      {"Shift+Home in a long text", Sum(3000),
       [&](QWidget* F) {
         Caret(F, 1500);
         Keys(F, {Shift | Qt::Key_Home});
       }},
  };
  for (const FieldCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    QWidget Window;
    TLongLineEdit Ours(&Window);
    QLineEdit Theirs(&Window);
    for (QWidget* Field : {static_cast<QWidget*>(&Ours), static_cast<QWidget*>(&Theirs)}) {
      WithLine(Field, [&](auto* Line) {
        Line->setMaxLength(Case.Text.isEmpty() ? 6 : 65536);
        Line->setText(Case.Text);
      });
      Case.Step(Field);
    }
    EXPECT_EQ(Ours.text(), Theirs.text());
    EXPECT_EQ(Ours.cursorPosition(), Theirs.cursorPosition());
    EXPECT_EQ(Ours.selectedText(), Theirs.selectedText());
    EXPECT_EQ(Ours.isUndoAvailable(), Theirs.isUndoAvailable());
    EXPECT_EQ(Ours.isRedoAvailable(), Theirs.isRedoAvailable());
  }
}

TEST(LongLineEditTest, LooksAndAnswersAsQtsLineEditAtALongText) {
  const QString Long = Sum(3000);
  const FieldCase Cases[] = {
      {"text set, caret at its end", Long, [](QWidget*) {}},
      {"a digit typed at the end", Long, [](QWidget* F) { QTest::keyClick(F, Qt::Key_7); }},
      {"Backspace at the end", Long, [](QWidget* F) { QTest::keyClick(F, Qt::Key_Backspace); }},
      {"Home", Long, [](QWidget* F) { QTest::keyClick(F, Qt::Key_Home); }},
      {"forty characters left of the end", Long,
       [](QWidget* F) {
         for (int Key = 0; Key < 40; ++Key) QTest::keyClick(F, Qt::Key_Left);
       }},
      {"a key in the middle", Long,
       [](QWidget* F) {
         Caret(F, Sum(3000).size() / 2);
         QTest::keyClick(F, Qt::Key_5);
       }},
      {"Delete in the middle", Long,
       [](QWidget* F) {
         Caret(F, 1500);
         QTest::keyClick(F, Qt::Key_Delete);
       }},
      {"a selection across the view's edge", Long,
       [](QWidget* F) { WithLine(F, [](auto* Line) { Line->setSelection(2990, -30); }); }},
      {"double-width characters", QString::fromUtf8("１２×３＋").repeated(600), [](QWidget*) {}},
      {"right-to-left text", QString::fromUtf8("שלום 12+").repeated(300), [](QWidget* F) { Caret(F, 700); }},
      {"short text", "1+2", [](QWidget* F) { QTest::keyClick(F, Qt::Key_Left); }},
      {"a composition at the end", Long, [](QWidget* F) { Compose(F, "けいさん"); }},
  };
  for (const FieldCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    QWidget Window;
    TLongLineEdit Ours(&Window);
    QLineEdit Theirs(&Window);
    for (QWidget* Field : {static_cast<QWidget*>(&Ours), static_cast<QWidget*>(&Theirs)}) {
      Field->setGeometry(0, Field == &Ours ? 0 : 30, 104, 20);
      // The strip's font, fully hinted: glyphs on whole pixels, as runs laid out on their own
      // must put them (where the line's glyphs fall between pixels their shading would differ by
      // a fraction of one); Latin and kana from one font (with a fallback font for kana, a
      // composition lowers Qt's whole line by a pixel).
      Field->setFont(JapaneseUiFont(12));
      WithLine(Field, [&](auto* Line) {
        Line->setMaxLength(65536);
        Line->setText(Case.Text);
      });
    }
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    QImage Shown[2];
    for (QWidget* Field : {static_cast<QWidget*>(&Ours), static_cast<QWidget*>(&Theirs)}) {
      Field->setFocus();  // its caret drawn
      Field->grab();      // each scrolls as it paints
      Case.Step(Field);
      Shown[Field == &Theirs] = Field->grab().toImage();
    }
    EXPECT_EQ(Shown[0], Shown[1]);
    for (int X : {3, 30, 60, 100}) EXPECT_EQ(Ours.cursorPositionAt({X, 10}), Theirs.cursorPositionAt({X, 10})) << X;
    // Where the input method shows its candidates.
    EXPECT_EQ(Ours.inputMethodQuery(Qt::ImCursorRectangle).toRect(),
              Theirs.inputMethodQuery(Qt::ImCursorRectangle).toRect());
  }
}

}  // namespace
