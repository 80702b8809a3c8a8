#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QInputMethodEvent>
#include <QTextCharFormat>
#include <QLineEdit>
#include <QTest>

#include <functional>

#include "field/in_view_line_edit.h"

namespace {

// The field painted as far as it is in view must look, scroll and answer (clicks, drops and the
// input method go by cursorPositionAt and the caret rectangle) as Qt's own line edit does, after
// the same steps at a text far longer than the view.
struct FieldCase {
  const char* Name;
  QString Text;
  std::function<void(QLineEdit&)> Step;
};

QString Sum(int Length) { return QString("12+").repeated(Length / 3); }

TEST(InViewLineEditTest, LooksAndAnswersAsQtsLineEditAtALongText) {
  const QString Long = Sum(3000);
  const FieldCase Cases[] = {
      {"text set, caret at its end", Long, [](QLineEdit&) {}},
      {"a digit typed at the end", Long, [](QLineEdit& Field) { QTest::keyClick(&Field, Qt::Key_7); }},
      {"Backspace at the end", Long, [](QLineEdit& Field) { QTest::keyClick(&Field, Qt::Key_Backspace); }},
      {"Home", Long, [](QLineEdit& Field) { QTest::keyClick(&Field, Qt::Key_Home); }},
      {"forty characters left of the end", Long,
       [](QLineEdit& Field) { for (int Key = 0; Key < 40; ++Key) QTest::keyClick(&Field, Qt::Key_Left); }},
      {"a key in the middle", Long,
       [](QLineEdit& Field) {
         Field.setCursorPosition(Field.text().size() / 2);
         QTest::keyClick(&Field, Qt::Key_5);
       }},
      {"Delete in the middle", Long,
       [](QLineEdit& Field) {
         Field.setCursorPosition(1500);
         QTest::keyClick(&Field, Qt::Key_Delete);
       }},
      {"a selection across the view's edge", Long, [](QLineEdit& Field) { Field.setSelection(2990, -30); }},
      {"double-width characters", QString::fromUtf8("１２×３＋").repeated(600), [](QLineEdit&) {}},
      {"right-to-left text", QString::fromUtf8("שלום 12+").repeated(300),
       [](QLineEdit& Field) { Field.setCursorPosition(700); }},
      {"short text", "1+2", [](QLineEdit& Field) { QTest::keyClick(&Field, Qt::Key_Left); }},
      {"a composition at the end", Long,
       [](QLineEdit& Field) {
         QTextCharFormat Underlined;
         Underlined.setFontUnderline(true);
         QInputMethodEvent Composing(QString::fromUtf8("けいさん"),
                                     {{QInputMethodEvent::TextFormat, 0, 4, Underlined},
                                      {QInputMethodEvent::Cursor, 2, 1, {}}});
         QCoreApplication::sendEvent(&Field, &Composing);
       }},
  };
  for (const FieldCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    QWidget Window;
    TInViewLineEdit Ours(&Window);
    QLineEdit Theirs(&Window);
    for (QLineEdit* Field : {static_cast<QLineEdit*>(&Ours), &Theirs}) {
      Field->setGeometry(0, Field == &Ours ? 0 : 30, 104, 20);
      Field->setMaxLength(65536);
      // Glyphs on whole pixels: the characters in view are laid out on their own, and where the
      // line's glyphs fall between pixels their shading would differ by a fraction of one.
      QFont Font = Field->font();
      Font.setHintingPreference(QFont::PreferFullHinting);
      Field->setFont(Font);
      Field->setText(Case.Text);
    }
    Window.show();
    Window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&Window));
    QImage Shown[2];
    for (QLineEdit* Field : {static_cast<QLineEdit*>(&Ours), &Theirs}) {
      Field->setFocus();  // its caret drawn
      Field->grab();      // each scrolls as it paints
      Case.Step(*Field);
      Shown[Field == &Theirs] = Field->grab().toImage();
    }
    EXPECT_EQ(Shown[0], Shown[1]);
    for (int X : {3, 30, 60, 100}) EXPECT_EQ(Ours.cursorPositionAt({X, 10}), Theirs.cursorPositionAt({X, 10})) << X;
    // Where the input method shows its candidates (Qt's rectangle is a pixel wider once it has
    // painted its caret).
    const QRect Caret = Theirs.inputMethodQuery(Qt::ImCursorRectangle).toRect();
    EXPECT_EQ(Ours.inputMethodQuery(Qt::ImCursorRectangle).toRect().topLeft(), Caret.topLeft());
    EXPECT_NEAR(Ours.CaretRect().center().x(), Caret.center().x(), 1);
  }
}

}  // namespace
