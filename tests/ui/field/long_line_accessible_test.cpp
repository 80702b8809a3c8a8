#include <gtest/gtest.h>

#include <QAccessible>
#include <QLineEdit>
#include <QWidget>

#include "field/long_line_edit.h"

namespace {

// A screen reader must be told of the long line edit what it is told of Qt's line edit set up the
// same way: its text, role, states, caret, selection and the text by characters and words.
struct AccessCase {
  const char* Name;
  QString Text;
  int Caret;
  int SelectionStart = 0;
  int SelectionLength = 0;
};

template <typename Field>
void Prepare(Field& Edit, const AccessCase& Case) {
  Edit.setMaxLength(65536);
  Edit.setAccessibleName("expression");
  Edit.setText(Case.Text);
  Edit.setCursorPosition(Case.Caret);
  if (Case.SelectionLength != 0) Edit.setSelection(Case.SelectionStart, Case.SelectionLength);
}

using Query = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int*, int*) const;

// The text found by Asked at Offset, with where it starts and ends.
QString Ask(QAccessibleTextInterface* Text, Query Asked, int Offset, QAccessible::TextBoundaryType Boundary) {
  int Start = 0, End = 0;
  const QString Found = (Text->*Asked)(Offset, Boundary, &Start, &End);
  return QString("%1 [%2,%3)").arg(Found).arg(Start).arg(End);
}

// What a screen reader reads of Face, a line per answer.
QStringList Told(QAccessibleInterface* Face, const AccessCase& Case) {
  QAccessibleTextInterface* Text = Face->textInterface();
  if (Text == nullptr) return {"no text interface"};
  const QAccessible::State State = Face->state();
  int Start = 0, End = 0;
  Text->selection(0, &Start, &End);
  QStringList Lines{QString("role %1 name %2").arg(Face->role()).arg(Face->text(QAccessible::Name)),
                    QString("editable %1 read-only %2 selectable text %3 focusable %4 multi-line %5")
                        .arg(State.editable).arg(State.readOnly).arg(State.selectableText).arg(State.focusable)
                        .arg(State.multiLine),
                    QString("caret %1 count %2 selections %3 selection [%4,%5)")
                        .arg(Text->cursorPosition()).arg(Text->characterCount()).arg(Text->selectionCount())
                        .arg(Start).arg(End)};
  const int Length = static_cast<int>(Case.Text.size());
  for (int Offset : {-2, 0, 1, Case.Caret - 1, Case.Caret, Case.Caret + 1, Length / 2, Length - 1, Length})
    for (auto Boundary : {QAccessible::CharBoundary, QAccessible::WordBoundary}) {
      const QString At = QString("%1 %2: ").arg(Offset).arg(Boundary);
      Lines << At + "before " + Ask(Text, &QAccessibleTextInterface::textBeforeOffset, Offset, Boundary);
      Lines << At + "after " + Ask(Text, &QAccessibleTextInterface::textAfterOffset, Offset, Boundary);
      // Qt's line edit never answers the word at its text's end (below).
      if (Offset == Length || (Offset == -2 && Text->cursorPosition() == Length)) continue;
      Lines << At + "at " + Ask(Text, &QAccessibleTextInterface::textAtOffset, Offset, Boundary);
    }
  return Lines;
}

TEST(LongLineAccessibleTest, TellsAScreenReaderWhatQtsLineEditTells) {
  const QString Long = QString("12+").repeated(10000);
  const AccessCase Cases[] = {
      {"short text, caret inside", "1+2", 1},
      {"30,000 characters, caret in the middle", Long, 15001},
      {"30,000 characters, a selection in the middle", Long, 15000, 14990, 20},
      {"spaces and signs, selected backwards", "sin(x) + 2.5, y", 9, 12, -7},
      {"full-width characters", QString::fromUtf8("１２×３＋ＡＢ　ｃ"), 3},
  };
  for (const AccessCase& Case : Cases) {
    SCOPED_TRACE(Case.Name);
    QWidget Window;
    QLineEdit Theirs(&Window);
    TLongLineEdit Ours(&Window);
    Theirs.setGeometry(0, 0, 200, 24);
    Ours.setGeometry(0, 30, 200, 24);
    Prepare(Theirs, Case);
    Prepare(Ours, Case);
    Window.show();
    QAccessibleInterface* TheirFace = QAccessible::queryAccessibleInterface(&Theirs);
    QAccessibleInterface* OurFace = QAccessible::queryAccessibleInterface(&Ours);
    ASSERT_NE(OurFace, nullptr);
    EXPECT_TRUE(OurFace->text(QAccessible::Value) == TheirFace->text(QAccessible::Value));
    EXPECT_EQ(OurFace->state(), TheirFace->state());
    EXPECT_EQ(Told(OurFace, Case), Told(TheirFace, Case));

    // A screen reader's edits change the text as they change Qt's.
    for (QAccessibleInterface* Face : {TheirFace, OurFace}) {
      Face->editableTextInterface()->insertText(1, "7");
      Face->editableTextInterface()->deleteText(0, 1);
      Face->editableTextInterface()->replaceText(2, 3, "(4)");
    }
    EXPECT_TRUE(Ours.text() == Theirs.text()) << Ours.text().left(20).toStdString();
  }
}

TEST(LongLineAccessibleTest, AnswersWhereQtsLineEditNeverDoesAndKeepsAReadOnlyText) {
  TLongLineEdit Field;
  QAccessibleInterface* Face = QAccessible::queryAccessibleInterface(&Field);
  ASSERT_NE(Face->textInterface(), nullptr);
  const Query At = &QAccessibleTextInterface::textAtOffset;
  // The word at a text that begins with a sign, and at the end after a word.
  Field.setText("(1+2)");
  EXPECT_EQ(Ask(Face->textInterface(), At, 0, QAccessible::WordBoundary).toStdString(), "( [0,1)");
  Field.setText("12+3 ab");
  EXPECT_EQ(Ask(Face->textInterface(), At, -2, QAccessible::WordBoundary).toStdString(), " [7,7)");
  Field.setReadOnly(true);
  EXPECT_TRUE(Face->state().readOnly && !Face->state().editable);
  Face->editableTextInterface()->insertText(0, "9");
  Face->editableTextInterface()->deleteText(0, 2);
  EXPECT_EQ(Field.text(), "12+3 ab");
}

}  // namespace
