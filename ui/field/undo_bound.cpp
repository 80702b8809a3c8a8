#include "field/undo_bound.h"

#include <algorithm>
#include <type_traits>

#include "field/line_access.h"

namespace {

// How many characters an edit from Old to New removed and inserted: what lies between their
// common beginning and their common end.
int ChangedCharacters(const QString& Old, const QString& New) {
  const qsizetype Shorter = std::min(Old.size(), New.size());
  qsizetype Prefix = 0;
  while (Prefix < Shorter && Old[Prefix] == New[Prefix]) ++Prefix;
  qsizetype Suffix = 0;
  while (Suffix < Shorter - Prefix && Old[Old.size() - 1 - Suffix] == New[New.size() - 1 - Suffix]) ++Suffix;
  return static_cast<int>((Old.size() - Prefix - Suffix) + (New.size() - Prefix - Suffix));
}

}  // namespace

TUndoBound::TUndoBound(QWidget* BoundField, int MaxChanged)
    : QObject(BoundField), Field(BoundField), Bound(MaxChanged) {
  WithLine(Field, [this](auto* Line) {
    Before = Line->text();
    connect(Line, &std::remove_pointer_t<decltype(Line)>::textChanged, this, &TUndoBound::Changed);
  });
}

void TUndoBound::Changed(const QString& Text) {
  // Text the program sets starts a new, empty history in the field itself.
  const bool Undoable = WithLine(Field, [](auto* Line) { return Line->isUndoAvailable(); });
  FChanged = Undoable ? FChanged + ChangedCharacters(Before, Text) : 0;
  Before = Text;
  // Dropped once the edit has run to its end, not inside the field's own change.
  if (FChanged > Bound && !ForgetPending) {
    ForgetPending = true;
    QMetaObject::invokeMethod(this, &TUndoBound::Forget, Qt::QueuedConnection);
  }
}

void TUndoBound::Forget() {
  ForgetPending = false;
  WithLine(Field, [](auto* Line) {
    const int Cursor = Line->cursorPosition();
    const int SelectionStart = Line->selectionStart();
    const int SelectionLength = Line->selectionLength();
    Line->setText(Line->text());  // setting the text drops the history
    if (SelectionLength > 0) {
      // The caret stays at the end of the selection where it was.
      if (Cursor == SelectionStart) {
        Line->setSelection(SelectionStart + SelectionLength, -SelectionLength);
      } else {
        Line->setSelection(SelectionStart, SelectionLength);
      }
    } else {
      Line->setCursorPosition(Cursor);
    }
  });
  FChanged = 0;
}
