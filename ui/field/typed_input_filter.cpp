#include "field/typed_input_filter.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QInputMethod>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QKeyEvent>
#include <QMouseEvent>

#include "field/line_access.h"
#include "reading/width_folding.h"

TTypedInputFilter::TTypedInputFilter(QWidget* TypedField, TComposition FieldComposition)
    : QObject(TypedField), Field(TypedField), Composition(FieldComposition) {
  Field->installEventFilter(this);
}

bool TTypedInputFilter::eventFilter(QObject*, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::KeyPress:
      return FoldKey(static_cast<QKeyEvent*>(Event));
    case QEvent::InputMethod:
      return TakeInputMethod(static_cast<QInputMethodEvent*>(Event));
    case QEvent::InputMethodQuery:
      return Composition == TComposition::Refused && RefuseInputMethod(static_cast<QInputMethodQueryEvent*>(Event));
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // A click off the composition, or a double click, makes the field end the composition: it
      // asks the input method to commit and, where it does not (fcitx), drops what it showed while
      // the input method keeps composing it. Committed first, it stays as shown.
      if (Event->type() == QEvent::MouseButtonDblClick ||
          !OnComposition(static_cast<QMouseEvent*>(Event)->position().toPoint()))
        CommitComposition();
      return false;
    default:
      return false;
  }
}

bool TTypedInputFilter::FoldKey(const QKeyEvent* Key) {
  const QString Folded = FoldWidth(Key->text());
  if (Folded == Key->text()) return false;
  // A key's text cannot be changed in place: the field gets the same key with the folded text.
  QKeyEvent Typed(QEvent::KeyPress, Key->key(), Key->modifiers(), Folded, Key->isAutoRepeat(), Key->count());
  QCoreApplication::sendEvent(Field, &Typed);
  return true;
}

bool TTypedInputFilter::TakeInputMethod(QInputMethodEvent* Composed) {
  const QString Commit = FoldWidth(Composed->commitString());
  if (Composition == TComposition::Refused && !Composed->preeditString().isEmpty()) {
    // Nothing is composed here (the input method is off, see RefuseInputMethod); text committed
    // along with a composition is still typed.
    if (!Commit.isEmpty()) {
      QInputMethodEvent Committed;
      Committed.setCommitString(Commit, Composed->replacementStart(), Composed->replacementLength());
      QCoreApplication::sendEvent(Field, &Committed);
    }
    return true;
  }
  if (Commit != Composed->commitString())
    Composed->setCommitString(Commit, Composed->replacementStart(), Composed->replacementLength());
  Composing = Composed->preeditString();
  return false;
}

bool TTypedInputFilter::OnComposition(QPoint Point) const {
  // As the field tells: the composition stands at the caret.
  const int Offset =
      WithLine(Field, [Point](auto* Line) { return Line->cursorPositionAt(Point) - Line->cursorPosition(); });
  return !Composing.isEmpty() && Offset >= 0 && Offset <= Composing.size();
}

bool TTypedInputFilter::RefuseInputMethod(QInputMethodQueryEvent* Query) {
  // An input method composes only in a focus object that says it takes input-method text, which
  // a line edit does whenever it is editable. So the field's answers are given here, with that
  // one turned round; the keys then reach the field as they are typed.
  const Qt::InputMethodQueries Queries = Query->queries();
  if (!(Queries & Qt::ImEnabled)) return false;
  for (unsigned Bit = 1; Bit != 0; Bit <<= 1) {
    const auto One = static_cast<Qt::InputMethodQuery>(Bit);
    if (Queries & One) Query->setValue(One, Field->inputMethodQuery(One));
  }
  Query->setValue(Qt::ImEnabled, false);
  Query->accept();
  return true;
}

void TTypedInputFilter::CommitComposition() {
  // The input method composes in the focus object only. IBus commits what it shows on commit;
  // fcitx does nothing then, but commits it on reset, which ends the composition in either.
  if (Field->hasFocus()) {
    QInputMethod* Method = QGuiApplication::inputMethod();
    if (!Composing.isEmpty()) Method->commit();
    if (!Composing.isEmpty()) Method->reset();
  }
  if (Composing.isEmpty()) return;
  // Not committed by an input method (none may be running): the field takes what it shows.
  QInputMethodEvent Committed;
  Committed.setCommitString(Composing);
  QCoreApplication::sendEvent(Field, &Committed);
}

void CommitComposition(QWidget* Field) {
  if (auto* Filter = Field->findChild<TTypedInputFilter*>(QString(), Qt::FindDirectChildrenOnly))
    Filter->CommitComposition();
}
