#include "field/long_line_edit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "field/caret_blink.h"
#include "field/long_line_accessible.h"

TLongLineEdit::TLongLineEdit(QWidget* Parent) : QWidget(Parent), Runs(Line.Text()) {
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAttribute(Qt::WA_KeyCompression);
  setSizePolicy(QSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed, QSizePolicy::LineEdit));
  setBackgroundRole(QPalette::Base);
  setMouseTracking(true);
  setAcceptDrops(true);
  setCursor(Qt::IBeamCursor);
  InstallLongLineAccessible();  // a screen reader is told of it as of Qt's line edit
  Runs.SetFont(font());
  Blink = new TCaretBlink([this] { update(CaretRect()); }, this);
}

TLongLineEdit::~TLongLineEdit() = default;

// The text, caret and selection

void TLongLineEdit::Apply(const TLineText::TChange& Change) {
  if (Change.TextChanged) Runs.Replace(Change.From, Change.Removed, Change.Inserted);
  if (PreeditDirty || (!FPreedit.isEmpty() && (Change.TextChanged || Change.CursorMoved())))
    Runs.SetPreedit(Line.Cursor(), FPreedit, PreeditFormats);
  const bool Shown = Change.TextChanged || Change.CursorMoved() || Change.SelectionChanged || PreeditDirty;
  PreeditDirty = false;
  if (Shown) {
    Stale = true;
    update();
    if (hasFocus()) Blink->Restart();
  }
  if (Change.TextChanged) {
    // What a screen reader is told, as for Qt's line edit: what went, then what came.
    if (Change.Removed > 0) {
      QAccessibleTextRemoveEvent Removed(this, Change.From, Change.RemovedText);
      Removed.setCursorPosition(Line.Cursor());
      QAccessible::updateAccessibility(&Removed);
    }
    if (Change.Inserted > 0) {
      QAccessibleTextInsertEvent Inserted(this, Change.From, Line.Text().mid(Change.From, Change.Inserted));
      Inserted.setCursorPosition(Line.Cursor());
      QAccessible::updateAccessibility(&Inserted);
    }
  }
  if (Change.Rejected) emit inputRejected();
  if (Change.TextChanged) {
    if (Change.Edited) emit textEdited(Line.Text());
    emit textChanged(Line.Text());
  }
  if (Change.SelectionChanged) {
    if (FPreedit.isEmpty()) {
      QStyleOptionFrame Panel;
      InitStyleOption(&Panel);
      CursorVisible = Line.HasSelection() ? style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &Panel, this)
                                          : hasFocus();
    }
    emit selectionChanged();
    QAccessibleTextSelectionEvent Selected(this, Line.HasSelection() ? Line.SelectionStart() : -1,
                                           Line.HasSelection() ? Line.SelectionEnd() : -1);
    Selected.setCursorPosition(Line.Cursor());
    QAccessible::updateAccessibility(&Selected);
  }
  if (Change.CursorMoved()) {
    emit cursorPositionChanged(Change.OldCursor, Change.NewCursor);
    if (!Line.HasSelection()) {
      QAccessibleTextCursorEvent Moved(this, Line.Cursor());
      QAccessible::updateAccessibility(&Moved);
    }
  }
  if (Shown) updateMicroFocus();
}

void TLongLineEdit::CommitPreedit() {
  if (FPreedit.isEmpty()) return;
  QGuiApplication::inputMethod()->commit();
  // An input method that commits nothing on request: what it showed is dropped.
  if (!FPreedit.isEmpty()) ClearPreedit();
}

void TLongLineEdit::ClearPreedit() {
  FPreedit.clear();
  PreeditCursor = 0;
  PreeditHidesCursor = false;
  PreeditFormats.clear();
  PreeditDirty = true;
}

void TLongLineEdit::MoveCursor(int Position, bool Mark) {
  CommitPreedit();
  Apply(Line.MoveCursor(Position, Mark));
}

void TLongLineEdit::setText(const QString& Text) {
  if (!FPreedit.isEmpty()) {
    // A text set other than by the input method ends its composition.
    if (hasFocus()) QGuiApplication::inputMethod()->reset();
    ClearPreedit();
  }
  const QString Old = Line.Text();
  const TLineText::TChange Change = Line.SetText(Text);
  if (Change.TextChanged) Runs.Reset();
  TLineText::TChange Told = Change;
  Told.TextChanged = false;  // the runs are laid out anew and a screen reader told below
  Apply(Told);
  if (!Change.TextChanged) return;
  Stale = true;
  update();
  if (Old.isEmpty()) {
    QAccessibleTextInsertEvent Event(this, 0, Line.Text());
    Event.setCursorPosition(Line.Cursor());
    QAccessible::updateAccessibility(&Event);
  } else if (Line.Text().isEmpty()) {
    QAccessibleTextRemoveEvent Event(this, 0, Old);
    Event.setCursorPosition(Line.Cursor());
    QAccessible::updateAccessibility(&Event);
  } else {
    QAccessibleTextUpdateEvent Event(this, 0, Old, Line.Text());
    Event.setCursorPosition(Line.Cursor());
    QAccessible::updateAccessibility(&Event);
  }
  emit textChanged(Line.Text());
  updateMicroFocus();
}

void TLongLineEdit::setMaxLength(int Length) {
  const TLineText::TChange Change = Line.SetMaxLength(Length);
  if (Change.TextChanged) Runs.Reset();
  TLineText::TChange Told = Change;
  Told.TextChanged = false;
  Apply(Told);
  if (Change.TextChanged) emit textChanged(Line.Text());
}

void TLongLineEdit::setReadOnly(bool On) {
  if (ReadOnly == On) return;
  ReadOnly = On;
  setAttribute(Qt::WA_InputMethodEnabled, !On);
  setCursor(On ? Qt::ArrowCursor : Qt::IBeamCursor);
  QAccessible::State Changed;
  Changed.readOnly = true;
  QAccessibleStateChangeEvent Event(this, Changed);
  QAccessible::updateAccessibility(&Event);
  update();
}

void TLongLineEdit::setCursorPosition(int Position) {
  if (Position <= Line.Length()) MoveCursor(std::max(0, Position), false);
}

void TLongLineEdit::setSelection(int Start, int Length) {
  CommitPreedit();
  if (Start < 0 || Start > Line.Length()) {
    qWarning("TLongLineEdit::setSelection: Invalid start position");
    return;
  }
  Apply(Line.SetSelection(Start, Length));
}

void TLongLineEdit::deselect() { Apply(Line.Deselect()); }
void TLongLineEdit::selectAll() { Apply(Line.SelectAll()); }
void TLongLineEdit::insert(const QString& Text) { Apply(Line.Insert(Text)); }
void TLongLineEdit::del() { Apply(Line.Delete()); }
void TLongLineEdit::backspace() { Apply(Line.Backspace()); }
void TLongLineEdit::home(bool Mark) { MoveCursor(0, Mark); }
void TLongLineEdit::end(bool Mark) { MoveCursor(Line.Length(), Mark); }

void TLongLineEdit::cursorForward(bool Mark, int Steps) {
  int Position = Line.Cursor();
  for (; Steps > 0; --Steps) Position = Line.NextCharacter(Position);
  for (; Steps < 0; ++Steps) Position = Line.PreviousCharacter(Position);
  MoveCursor(Position, Mark);
}

void TLongLineEdit::cursorBackward(bool Mark, int Steps) { cursorForward(Mark, -Steps); }
void TLongLineEdit::cursorWordForward(bool Mark) { MoveCursor(Line.NextWord(Line.Cursor()), Mark); }
void TLongLineEdit::cursorWordBackward(bool Mark) { MoveCursor(Line.PreviousWord(Line.Cursor()), Mark); }

void TLongLineEdit::clear() {
  if (!FPreedit.isEmpty() && hasFocus()) QGuiApplication::inputMethod()->reset();
  ClearPreedit();
  Apply(Line.Clear());
}

void TLongLineEdit::undo() {
  if (!FPreedit.isEmpty() && hasFocus()) QGuiApplication::inputMethod()->reset();
  Apply(Line.Undo());
}

void TLongLineEdit::redo() {
  if (!FPreedit.isEmpty() && hasFocus()) QGuiApplication::inputMethod()->reset();
  Apply(Line.Redo());
}

void TLongLineEdit::CopyTo(QClipboard::Mode Mode) const {
  const QString Selected = Line.SelectedText();
  if (!Selected.isEmpty()) QGuiApplication::clipboard()->setText(Selected, Mode);
}

void TLongLineEdit::copy() const { CopyTo(QClipboard::Clipboard); }

void TLongLineEdit::cut() {
  if (!Line.HasSelection()) return;
  copy();
  del();
}

void TLongLineEdit::paste() { PasteFrom(QClipboard::Clipboard); }

void TLongLineEdit::PasteFrom(QClipboard::Mode Mode) {
  const QString Clip = QGuiApplication::clipboard()->text(Mode);
  if (!Clip.isEmpty() || Line.HasSelection()) Apply(Line.Paste(Clip));
}

void TLongLineEdit::ReplaceText(int Start, int End, const QString& Text) {
  Start = std::clamp(Start, 0, Line.Length());
  End = std::clamp(End, Start, Line.Length());
  CommitPreedit();
  Apply(Line.SetSelection(Start, End - Start));
  Apply(Line.Insert(Text));
}

void TLongLineEdit::DeleteSelected() {
  if (!Line.HasSelection()) return;
  if (hasFocus()) QGuiApplication::inputMethod()->reset();
  Apply(Line.RemoveSelection());
}

void TLongLineEdit::focusInEvent(QFocusEvent* Event) {
  const Qt::FocusReason Reason = Event->reason();
  if ((Reason == Qt::TabFocusReason || Reason == Qt::BacktabFocusReason || Reason == Qt::ShortcutFocusReason) &&
      !Line.HasSelection())
    selectAll();
  QStyleOptionFrame Panel;
  InitStyleOption(&Panel);
  if ((!Line.HasSelection() && FPreedit.isEmpty()) ||
      style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &Panel, this))
    CursorVisible = true;
  Blink->Restart();
  update();
  QWidget::focusInEvent(Event);
}

void TLongLineEdit::focusOutEvent(QFocusEvent* Event) {
  const Qt::FocusReason Reason = Event->reason();
  if (Reason != Qt::ActiveWindowFocusReason && Reason != Qt::PopupFocusReason) deselect();
  CursorVisible = false;
  Blink->Stop();
  update();
  if (Reason != Qt::PopupFocusReason ||
      !(QApplication::activePopupWidget() && QApplication::activePopupWidget()->parentWidget() == this))
    emit editingFinished();
  QWidget::focusOutEvent(Event);
}

void TLongLineEdit::changeEvent(QEvent* Event) {
  switch (Event->type()) {
    case QEvent::FontChange:
      Runs.SetFont(font());
      Runs.SetPreedit(Line.Cursor(), FPreedit, PreeditFormats);
      Stale = true;
      update();
      break;
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
    case QEvent::EnabledChange:
    case QEvent::PaletteChange:
      Stale = true;
      update();
      break;
    case QEvent::ActivationChange:
      if (!palette().isEqual(QPalette::Active, QPalette::Inactive)) update();
      break;
    default:
      break;
  }
  QWidget::changeEvent(Event);
}

void TLongLineEdit::resizeEvent(QResizeEvent* Event) {
  Stale = true;
  QWidget::resizeEvent(Event);
}

void TLongLineEdit::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const QPalette Palette = palette();
  QStyleOptionFrame Panel;
  InitStyleOption(&Panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &Panel, &Painter, this);
  const QRect Contents = style()->subElementRect(QStyle::SE_LineEditContents, &Panel, this);
  Painter.setClipRect(Contents);
  const int OldScroll = Scroll;
  const QPoint Origin = LineOrigin();
  // The input method places its candidates by the caret rectangle, which moves with the scroll.
  if (Scroll != OldScroll && hasFocus() && !FPreedit.isEmpty())
    QMetaObject::invokeMethod(this, [this] { updateMicroFocus(Qt::ImCursorRectangle); }, Qt::QueuedConnection);
  // The baseline where Qt's line edit puts it: the line's ascent below the top, less the font's.
  const QPointF TopLeft(Origin.x(), Origin.y() - (qRound(Runs.Ascent()) - fontMetrics().ascent()));
  Painter.setPen(Palette.text().color());
  TLineRuns::TSelection Selected;
  if (Line.HasSelection()) {
    Selected.Start = Line.SelectionStart();
    Selected.End = Line.SelectionEnd();
    Selected.Format.setBackground(Palette.brush(QPalette::Highlight));
    Selected.Format.setForeground(Palette.brush(QPalette::HighlightedText));
  }
  Runs.Draw(&Painter, TopLeft, Contents, Selected);
  if (CursorVisible && !ReadOnly && Blink->Shown() && !PreeditHidesCursor) {
    const int Width = style()->pixelMetric(QStyle::PM_TextCursorWidth, &Panel, this);
    Runs.DrawCursor(&Painter, TopLeft, Line.Cursor(), PreeditCursor, Width);
  }
}
