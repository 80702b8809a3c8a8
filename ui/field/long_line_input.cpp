// How the long line edit takes keys, the input method's text, the mouse, drops and its menu, as
// Qt's line edit takes them.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QInputMethod>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTextCharFormat>

#include <algorithm>

#include "field/caret_blink.h"
#include "field/long_line_edit.h"

namespace {

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
