#include "field/long_line_edit.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethod>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QStyle>
#include <QStyleHints>
#include <QStyleOptionFrame>
#include <QTextCharFormat>

#include <algorithm>

#include "field/caret_blink.h"
#include "field/long_line_accessible.h"

namespace {

// The gap Qt's line edit leaves between its contents rectangle and its text, on either side.
constexpr int kHorizontalMargin = 2;
// The gap it leaves above or below its line when aligned to the top or bottom.
constexpr int kVerticalMargin = 1;

// Whether a key's text is typed into the field, as Qt's line edit takes it.
bool TypesText(const QKeyEvent* Event) {
  const QString Text = Event->text();
  if (Text.isEmpty()) return false;
  const QChar First = Text.front();
  // Formatting characters (joiners, direction marks) may come with Ctrl+Shift.
  if (First.category() == QChar::Other_Format) return true;
  // Ctrl and Ctrl+Shift are commands; AltGr (Ctrl+Alt) types.
  const Qt::KeyboardModifiers Modifiers = Event->modifiers();
  if (Modifiers == Qt::ControlModifier || Modifiers == (Qt::ShiftModifier | Qt::ControlModifier)) return false;
  if (First.isPrint() || First.category() == QChar::Other_PrivateUse) return true;
  return First.isHighSurrogate() && Text.size() > 1 && Text.at(1).isLowSurrogate();
}

// A menu item's caption with the key that does the same, as Qt's line edit shows it.
QString WithShortcut(const QString& Caption, QKeySequence::StandardKey Key) {
  if (QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)) return Caption;
  const QKeySequence Sequence(Key);
  return Sequence.isEmpty() ? Caption : Caption + u'\t' + Sequence.toString(QKeySequence::NativeText);
}

QAction* AddItem(QMenu* Menu, const QString& Caption, const char* Icon, bool Enabled) {
  QAction* Item = Menu->addAction(Caption);
  Item->setEnabled(Enabled);
  Item->setObjectName(QString::fromLatin1(Icon));
  const QIcon Themed = QIcon::fromTheme(QString::fromLatin1(Icon));
  if (!Themed.isNull()) Item->setIcon(Themed);
  return Item;
}

}  // namespace

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

// Geometry

void TLongLineEdit::InitStyleOption(QStyleOptionFrame* Option) const {
  Option->initFrom(this);
  Option->rect = contentsRect();
  Option->lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, Option, this);
  Option->midLineWidth = 0;
  Option->state |= QStyle::State_Sunken;
  if (ReadOnly) Option->state |= QStyle::State_ReadOnly;
  Option->features = QStyleOptionFrame::None;
}

QRect TLongLineEdit::ContentsRect() const {
  QStyleOptionFrame Panel;
  InitStyleOption(&Panel);
  return style()->subElementRect(QStyle::SE_LineEditContents, &Panel, this);
}

Qt::LayoutDirection TLongLineEdit::TextDirection() const {
  // As Qt's line edit lays its text out: in the text's own direction, or the keyboard's while empty.
  if (Line.Text().isEmpty()) return QGuiApplication::inputMethod()->inputDirection();
  return Runs.Direction();
}

int TLongLineEdit::LineHeight() const {
  // The glyphs' own extent where it is taller than the font's.
  return std::max(Runs.InkHeight(), fontMetrics().height());
}

QRect TLongLineEdit::LineRect() const {
  const QRect Contents = ContentsRect();
  const int Height = LineHeight();
  int Top;
  switch (QStyle::visualAlignment(TextDirection(), alignment()) & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom:
      Top = Contents.y() + Contents.height() - Height - kVerticalMargin;
      break;
    case Qt::AlignTop:
      Top = Contents.y() + kVerticalMargin;
      break;
    default:
      Top = Contents.y() + (Contents.height() - Height + 1) / 2;
      break;
  }
  return {Contents.x() + kHorizontalMargin, Top, Contents.width() - 2 * kHorizontalMargin, Height};
}

int TLongLineEdit::CaretX() const { return qRound(Runs.XOf(Line.Cursor(), PreeditCursor)); }

void TLongLineEdit::ScrollToCaret() const {
  if (!Stale) return;
  Stale = false;
  const int ViewWidth = LineRect().width();
  const int Caret = CaretX();
  const int WidthUsed = qRound(Runs.Width()) + 1;
  // Qt's line edit's rules: a text that fits is aligned; else the caret kept in view, and the
  // text's end kept at the right edge.
  if (WidthUsed <= ViewWidth) {
    switch (QStyle::visualAlignment(TextDirection(), alignment()) & ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
      case Qt::AlignRight:
        Scroll = WidthUsed - ViewWidth + 1;
        break;
      case Qt::AlignHCenter:
        Scroll = (WidthUsed - ViewWidth) / 2;
        break;
      default:
        Scroll = 0;
        break;
    }
  } else if (Caret - Scroll >= ViewWidth) {
    Scroll = Caret - ViewWidth + 1;
  } else if (Caret - Scroll < 0 && Scroll < WidthUsed) {
    Scroll = Caret;
  } else if (WidthUsed - Scroll < ViewWidth) {
    Scroll = WidthUsed - ViewWidth + 1;
  } else {
    Scroll = std::max(0, Scroll);
  }
}

QPoint TLongLineEdit::LineOrigin() const {
  ScrollToCaret();
  const QRect Shown = LineRect();
  return {Shown.x() - Scroll, Shown.y()};
}

int TLongLineEdit::PositionAtX(int X) const { return Runs.PositionAt(X - LineOrigin().x()); }

int TLongLineEdit::cursorPositionAt(const QPoint& Point) const { return PositionAtX(Point.x()); }

QRect TLongLineEdit::RectAt(int X) const {
  const QPoint Origin = LineOrigin();
  const int Width = style()->pixelMetric(QStyle::PM_TextCursorWidth, nullptr, this);
  return {Origin.x() + X - 5, Origin.y(), Width + 9, qRound(Runs.Height()) + 1};
}

QRect TLongLineEdit::cursorRect() const { return RectAt(CaretX()); }

QRect TLongLineEdit::CaretRect() const { return cursorRect().adjusted(0, 0, 1, 0); }

QRect TLongLineEdit::CharacterRect(int Position) const {
  if (Position < 0 || Position >= Line.Length()) return {};
  const auto [Left, Right] = Runs.Span(Position, Line.NextCharacter(Position));
  const QPoint Origin = LineOrigin();
  return QRect(Origin.x() + qRound(Left), Origin.y(), std::max(1, qRound(Right) - qRound(Left)),
               fontMetrics().height());
}

QSize TLongLineEdit::sizeHint() const {
  ensurePolished();
  const QFontMetrics Metrics(font());
  const int Height = std::max(Metrics.height(), 14) + 2 * kVerticalMargin;
  const int Width = Metrics.horizontalAdvance(u'x') * 17 + 2 * kHorizontalMargin;
  QStyleOptionFrame Panel;
  InitStyleOption(&Panel);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &Panel, QSize(Width, Height), this);
}

QSize TLongLineEdit::minimumSizeHint() const {
  ensurePolished();
  const QFontMetrics Metrics(font());
  const int Height = Metrics.height() + std::max(2 * kVerticalMargin, Metrics.leading());
  const int Width = Metrics.maxWidth() + 2 * kHorizontalMargin;
  QStyleOptionFrame Panel;
  InitStyleOption(&Panel);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &Panel, QSize(Width, Height), this);
}

QVariant TLongLineEdit::inputMethodQuery(Qt::InputMethodQuery Query) const {
  switch (Query) {
    case Qt::ImCursorRectangle:
      return cursorRect();
    case Qt::ImAnchorRectangle:
      return RectAt(qRound(Runs.XOf(Line.Anchor(), Line.Anchor() == Line.Cursor() ? PreeditCursor : 0)));
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return Line.Cursor();
    case Qt::ImSurroundingText:
      return Line.Text();
    case Qt::ImCurrentSelection:
      return Line.SelectedText();
    case Qt::ImMaximumTextLength:
      return Line.MaxLength();
    case Qt::ImAnchorPosition:
      return Line.Anchor();
    case Qt::ImReadOnly:
      return ReadOnly;
    case Qt::ImTextBeforeCursor:
      return Line.Text().left(Line.Cursor());
    case Qt::ImTextAfterCursor:
      return Line.Text().mid(Line.Cursor());
    default:
      return QWidget::inputMethodQuery(Query);
  }
}

// Events

bool TLongLineEdit::event(QEvent* Event) {
  switch (Event->type()) {
    case QEvent::ShortcutOverride:
      ProcessShortcutOverride(static_cast<QKeyEvent*>(Event));
      break;
    case QEvent::KeyRelease:
      // The caret, steady while a key is down, blinks again from its release.
      if (hasFocus()) Blink->Restart();
      break;
    default:
      break;
  }
  return QWidget::event(Event);
}

void TLongLineEdit::ProcessShortcutOverride(QKeyEvent* Event) const {
  // The keys the field edits with win over the application's shortcuts, as in Qt's line edit.
  if (Event == QKeySequence::Copy || Event == QKeySequence::MoveToNextWord ||
      Event == QKeySequence::MoveToPreviousWord || Event == QKeySequence::MoveToStartOfLine ||
      Event == QKeySequence::MoveToEndOfLine || Event == QKeySequence::MoveToStartOfDocument ||
      Event == QKeySequence::MoveToEndOfDocument || Event == QKeySequence::SelectNextWord ||
      Event == QKeySequence::SelectPreviousWord || Event == QKeySequence::SelectStartOfLine ||
      Event == QKeySequence::SelectEndOfLine || Event == QKeySequence::SelectStartOfBlock ||
      Event == QKeySequence::SelectEndOfBlock || Event == QKeySequence::SelectStartOfDocument ||
      Event == QKeySequence::SelectAll || Event == QKeySequence::SelectEndOfDocument) {
    Event->accept();
  } else if (Event == QKeySequence::Paste || Event == QKeySequence::Cut || Event == QKeySequence::Redo ||
             Event == QKeySequence::Undo || Event == QKeySequence::DeleteCompleteLine) {
    if (!ReadOnly) Event->accept();
  } else if (Event->modifiers() == Qt::NoModifier || Event->modifiers() == Qt::ShiftModifier ||
             Event->modifiers() == Qt::KeypadModifier) {
    if (Event->key() < Qt::Key_Escape) {
      if (!ReadOnly) Event->accept();
    } else {
      switch (Event->key()) {
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
          if (!ReadOnly) Event->accept();
          break;
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Left:
        case Qt::Key_Right:
          Event->accept();
          break;
        default:
          break;
      }
    }
  }
}

void TLongLineEdit::keyPressEvent(QKeyEvent* Event) {
  if (Event->key() == Qt::Key_Enter || Event->key() == Qt::Key_Return) {
    QInputMethod* Method = QGuiApplication::inputMethod();
    Method->commit();
    Method->hide();
    emit returnPressed();
    emit editingFinished();
    Event->ignore();
    return;
  }
  // Left and Right follow the text's direction.
  const int Ahead = TextDirection() == Qt::LeftToRight ? 1 : -1;
  const bool Forwards = TextDirection() == Qt::LeftToRight;
  bool Unknown = false;
  if (Event == QKeySequence::Undo) {
    if (!ReadOnly) undo();
  } else if (Event == QKeySequence::Redo) {
    if (!ReadOnly) redo();
  } else if (Event == QKeySequence::SelectAll) {
    selectAll();
  } else if (Event == QKeySequence::Copy) {
    copy();
  } else if (Event == QKeySequence::Paste) {
    if (!ReadOnly) {
      const bool Selection = Event->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) &&
                             Event->key() == Qt::Key_Insert;
      PasteFrom(Selection ? QClipboard::Selection : QClipboard::Clipboard);
    }
  } else if (Event == QKeySequence::Cut) {
    if (!ReadOnly) cut();
  } else if (Event == QKeySequence::DeleteEndOfLine) {
    if (!ReadOnly) {
      setSelection(Line.Cursor(), Line.Length() - Line.Cursor());
      copy();
      del();
    }
  } else if (Event == QKeySequence::MoveToStartOfLine || Event == QKeySequence::MoveToStartOfBlock) {
    home(false);
  } else if (Event == QKeySequence::MoveToEndOfLine || Event == QKeySequence::MoveToEndOfBlock) {
    end(false);
  } else if (Event == QKeySequence::SelectStartOfLine || Event == QKeySequence::SelectStartOfBlock) {
    home(true);
  } else if (Event == QKeySequence::SelectEndOfLine || Event == QKeySequence::SelectEndOfBlock) {
    end(true);
  } else if (Event == QKeySequence::MoveToNextChar) {
    if (Line.HasSelection()) {
      MoveCursor(Line.SelectionEnd(), false);
    } else {
      cursorForward(false, Ahead);
    }
  } else if (Event == QKeySequence::SelectNextChar) {
    cursorForward(true, Ahead);
  } else if (Event == QKeySequence::MoveToPreviousChar) {
    if (Line.HasSelection()) {
      MoveCursor(Line.SelectionStart(), false);
    } else {
      cursorForward(false, -Ahead);
    }
  } else if (Event == QKeySequence::SelectPreviousChar) {
    cursorForward(true, -Ahead);
  } else if (Event == QKeySequence::MoveToNextWord) {
    Forwards ? cursorWordForward(false) : cursorWordBackward(false);
  } else if (Event == QKeySequence::MoveToPreviousWord) {
    Forwards ? cursorWordBackward(false) : cursorWordForward(false);
  } else if (Event == QKeySequence::SelectNextWord) {
    Forwards ? cursorWordForward(true) : cursorWordBackward(true);
  } else if (Event == QKeySequence::SelectPreviousWord) {
    Forwards ? cursorWordBackward(true) : cursorWordForward(true);
  } else if (Event == QKeySequence::Delete) {
    if (!ReadOnly) del();
  } else if (Event == QKeySequence::DeleteEndOfWord) {
    if (!ReadOnly) {
      if (!Line.HasSelection()) cursorWordForward(true);
      if (Line.HasSelection()) del();
    }
  } else if (Event == QKeySequence::DeleteStartOfWord) {
    if (!ReadOnly) {
      if (!Line.HasSelection()) cursorWordBackward(true);
      if (Line.HasSelection()) del();
    }
  } else if (Event == QKeySequence::DeleteCompleteLine) {
    if (!ReadOnly) {
      setSelection(0, Line.Length());
      copy();
      del();
    }
  } else if (Event->modifiers() & Qt::ControlModifier) {
    if (Event->key() == Qt::Key_Backspace) {
      if (!ReadOnly) {
        cursorWordBackward(true);
        del();
      }
    } else {
      Unknown = true;
    }
  } else if (Event->key() == Qt::Key_Backspace) {
    if (!ReadOnly) backspace();
  } else {
    Unknown = true;
  }

  if (Unknown && !ReadOnly && TypesText(Event)) {
    insert(Event->text());
    Event->accept();
  } else if (Unknown) {
    Event->ignore();
    return;
  } else {
    // What the keys selected is the primary selection, as in any X11 field.
    if (QGuiApplication::clipboard()->supportsSelection()) CopyTo(QClipboard::Selection);
    Event->accept();
  }
  Blink->Stop();  // steady while the key is down
  if (!hasFocus()) return;
  update(CaretRect());
}

void TLongLineEdit::inputMethodEvent(QInputMethodEvent* Event) {
  if (ReadOnly) {
    Event->ignore();
    return;
  }
  const bool GettingInput = !Event->commitString().isEmpty() || Event->preeditString() != FPreedit ||
                            Event->replacementLength() > 0;
  int SelectionStart = -1;
  int SelectionLength = 0;
  for (const QInputMethodEvent::Attribute& Attribute : Event->attributes()) {
    if (Attribute.type == QInputMethodEvent::Selection) {
      SelectionStart = Attribute.start;
      SelectionLength = Attribute.length;
    }
  }
  // What the input method shows at the caret, with its own caret and formats.
  const QString OldPreedit = FPreedit;
  FPreedit = Event->preeditString();
  PreeditCursor = static_cast<int>(FPreedit.size());
  PreeditHidesCursor = false;
  PreeditFormats.clear();
  for (const QInputMethodEvent::Attribute& Attribute : Event->attributes()) {
    if (Attribute.type == QInputMethodEvent::Cursor) {
      PreeditCursor = Attribute.start;
      PreeditHidesCursor = Attribute.length == 0;
    } else if (Attribute.type == QInputMethodEvent::TextFormat) {
      const QTextCharFormat Format = qvariant_cast<QTextFormat>(Attribute.value).toCharFormat();
      if (Format.isValid()) PreeditFormats.append({Attribute.start, Attribute.length, Format});
    }
  }
  PreeditDirty = true;
  Stale = true;
  const TLineText::TChange Change =
      Line.InputMethod(Event->commitString(), Event->replacementStart(), Event->replacementLength(), GettingInput,
                       SelectionStart, SelectionLength);
  Apply(Change);
  if (OldPreedit.isEmpty() != FPreedit.isEmpty()) {
    // The caret hides while something is composed, as the composition's own marks show where.
    QStyleOptionFrame Panel;
    InitStyleOption(&Panel);
    CursorVisible = hasFocus() && (FPreedit.isEmpty() || !Line.HasSelection() ||
                                   style()->styleHint(QStyle::SH_BlinkCursorWhenTextSelected, &Panel, this));
  }
  Event->accept();
}

bool TLongLineEdit::SendToInputMethod(QMouseEvent* Event) {
  if (FPreedit.isEmpty()) return false;
  const int OnPreedit = PositionAtX(Event->position().toPoint().x()) - Line.Cursor();
  if (OnPreedit < 0 || OnPreedit > FPreedit.size()) return false;
  // A click on the composition is the input method's: it may move its own caret there.
  if (Event->type() == QEvent::MouseButtonRelease)
    QGuiApplication::inputMethod()->invokeAction(QInputMethod::Click, OnPreedit);
  return true;
}

void TLongLineEdit::mousePressEvent(QMouseEvent* Event) {
  const QPoint Point = Event->position().toPoint();
  PressPoint = Point;
  if (SendToInputMethod(Event)) return;
  if (Event->button() == Qt::RightButton) return;
  if (TripleClickTimer.isActive() && (Point - TripleClickPoint).manhattanLength() < QApplication::startDragDistance()) {
    selectAll();
    return;
  }
  MoveCursor(PositionAtX(Point.x()), Event->modifiers() & Qt::ShiftModifier);
}

void TLongLineEdit::mouseMoveEvent(QMouseEvent* Event) {
  if (Event->buttons() & Qt::LeftButton) {
    const int Position = PositionAtX(Event->position().toPoint().x());
    if (!FPreedit.isEmpty()) {
      const int Start = PositionAtX(PressPoint.x());
      if (Start != Position) setSelection(Start, Position - Start);
    } else {
      MoveCursor(Position, true);
    }
  }
  SendToInputMethod(Event);
}

void TLongLineEdit::mouseReleaseEvent(QMouseEvent* Event) {
  if (SendToInputMethod(Event)) return;
  QClipboard* Clipboard = QGuiApplication::clipboard();
  if (!Clipboard->supportsSelection()) return;
  if (Event->button() == Qt::LeftButton) {
    CopyTo(QClipboard::Selection);
  } else if (!ReadOnly && Event->button() == Qt::MiddleButton) {
    deselect();
    insert(Clipboard->text(QClipboard::Selection));
  }
}

void TLongLineEdit::mouseDoubleClickEvent(QMouseEvent* Event) {
  if (Event->button() != Qt::LeftButton) {
    SendToInputMethod(Event);
    return;
  }
  int Position = PositionAtX(Event->position().toPoint().x());
  if (!FPreedit.isEmpty()) {
    // The composition ends first; the position is counted again in the text it leaves.
    const int PreeditAt = Line.Cursor();
    const int OnPreedit = Position - PreeditAt;
    const auto PreeditLength = static_cast<int>(FPreedit.size());
    const int Length = Line.Length();
    CommitPreedit();
    const int Grown = Line.Length() - Length;
    if (OnPreedit >= 0 && OnPreedit <= PreeditLength) {
      Position = Grown == 0 ? -1 : std::clamp(Position, PreeditAt, PreeditAt + Grown);
    } else if (Position > PreeditAt) {
      Position += Grown - PreeditLength;
    }
  }
  if (Position >= 0) {
    const auto [Start, End] = Line.WordAt(Position);
    MoveCursor(Start, false);
    MoveCursor(End, true);
  }
  TripleClickTimer.start(QApplication::doubleClickInterval(), this);
  TripleClickPoint = Event->position().toPoint();
}

void TLongLineEdit::timerEvent(QTimerEvent* Event) {
  if (Event->timerId() == TripleClickTimer.timerId()) {
    TripleClickTimer.stop();
    return;
  }
  QWidget::timerEvent(Event);
}

void TLongLineEdit::dragEnterEvent(QDragEnterEvent* Event) { dragMoveEvent(Event); }

void TLongLineEdit::dragMoveEvent(QDragMoveEvent* Event) {
  if (ReadOnly || !Event->mimeData()->hasFormat(QStringLiteral("text/plain"))) return;
  Event->acceptProposedAction();
  // The caret shows where the text would go.
  MoveCursor(PositionAtX(Event->position().toPoint().x()), false);
  CursorVisible = true;
  update();
}

void TLongLineEdit::dragLeaveEvent(QDragLeaveEvent*) {
  if (!CursorVisible) return;
  CursorVisible = false;
  update();
}

void TLongLineEdit::dropEvent(QDropEvent* Event) {
  const QString Text = Event->mimeData()->text();
  if (Text.isNull() || ReadOnly) {
    Event->ignore();
    update();
    return;
  }
  if (Event->source() == this && Event->dropAction() == Qt::CopyAction) deselect();
  const int Position = PositionAtX(Event->position().toPoint().x());
  const int OldStart = Line.HasSelection() ? Line.SelectionStart() : -1;
  const int OldEnd = Line.HasSelection() ? Line.SelectionEnd() : -1;
  MoveCursor(Position, false);
  CursorVisible = false;
  Event->acceptProposedAction();
  insert(Text);
  if (Event->source() != this) return;
  const auto Length = static_cast<int>(Text.size());
  if (Event->dropAction() == Qt::MoveAction && Position > OldStart && Position <= OldEnd) {
    setSelection(OldStart, Length);
  } else if (Event->dropAction() == Qt::MoveAction && Position > OldEnd) {
    setSelection(Position - Length, Length);
  } else {
    setSelection(Position, Length);
  }
}

QMenu* TLongLineEdit::createStandardContextMenu() {
  // Captions in the user's language from Qt's own translations of its line edit.
  auto* Menu = new QMenu(this);
  Menu->setObjectName(QStringLiteral("qt_edit_menu"));
  if (!ReadOnly) {
    connect(AddItem(Menu, WithShortcut(QLineEdit::tr("&Undo"), QKeySequence::Undo), "edit-undo", isUndoAvailable()),
            &QAction::triggered, this, &TLongLineEdit::undo);
    connect(AddItem(Menu, WithShortcut(QLineEdit::tr("&Redo"), QKeySequence::Redo), "edit-redo", isRedoAvailable()),
            &QAction::triggered, this, &TLongLineEdit::redo);
    Menu->addSeparator();
    connect(AddItem(Menu, WithShortcut(QLineEdit::tr("Cu&t"), QKeySequence::Cut), "edit-cut", Line.HasSelection()),
            &QAction::triggered, this, &TLongLineEdit::cut);
  }
  connect(AddItem(Menu, WithShortcut(QLineEdit::tr("&Copy"), QKeySequence::Copy), "edit-copy", Line.HasSelection()),
          &QAction::triggered, this, &TLongLineEdit::copy);
  if (!ReadOnly) {
    connect(AddItem(Menu, WithShortcut(QLineEdit::tr("&Paste"), QKeySequence::Paste), "edit-paste",
                    !QGuiApplication::clipboard()->text().isEmpty()),
            &QAction::triggered, this, &TLongLineEdit::paste);
    connect(AddItem(Menu, QLineEdit::tr("Delete"), "edit-delete", Line.HasSelection()), &QAction::triggered, this,
            &TLongLineEdit::DeleteSelected);
  }
  Menu->addSeparator();
  connect(AddItem(Menu, WithShortcut(QLineEdit::tr("Select All"), QKeySequence::SelectAll), "select-all",
                  !Line.Text().isEmpty() && !Line.AllSelected()),
          &QAction::triggered, this, &TLongLineEdit::selectAll);
  return Menu;
}

void TLongLineEdit::contextMenuEvent(QContextMenuEvent* Event) {
  QMenu* Menu = createStandardContextMenu();
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  Menu->popup(Event->globalPos());
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
