#pragma once

#include <QBasicTimer>
#include <QClipboard>
#include <QMargins>
#include <QWidget>

#include "field/line_runs.h"
#include "field/line_text.h"

class QMenu;
class QStyleOptionFrame;
class TCaretBlink;

// A one-line edit whose every cost follows what is in view, not what it holds: the strip's
// expression may be 65,536 characters long, and Qt's line edit lays out, shapes and draws its whole
// text again on every key. This one keeps the text in runs of a few hundred characters, each laid
// out on its own (TLineRuns), so a key relays out one run and a painting draws the runs in view.
//
// It answers the calls of Qt's line edit under the same names and with the same meaning (text,
// caret, selection, undo, the edit menu, the signals), so the field's filters and the strip use
// either through line_access.h. It behaves as Qt's does: its keys, mouse, double and triple click,
// drops, input-method composition, the primary selection, scrolling, focus, and what a
// screen reader is told (long_line_accessible.h).
//
// long_line_edit.cpp holds its changes and painting, long_line_geometry.cpp where its line is
// shown, long_line_input.cpp how it takes keys, the input method, the mouse, drops and its menu.
class TLongLineEdit : public QWidget {
  Q_OBJECT
  Q_PROPERTY(QString text READ text WRITE setText NOTIFY textChanged USER true)
  Q_PROPERTY(int cursorPosition READ cursorPosition WRITE setCursorPosition)
  Q_PROPERTY(int maxLength READ maxLength WRITE setMaxLength)
  Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
  Q_PROPERTY(QString selectedText READ selectedText)
  Q_PROPERTY(bool undoAvailable READ isUndoAvailable)
  Q_PROPERTY(bool redoAvailable READ isRedoAvailable)

public:
  explicit TLongLineEdit(QWidget* Parent = nullptr);
  ~TLongLineEdit() override;

  QString text() const { return Line.Text(); }
  int maxLength() const { return Line.MaxLength(); }
  void setMaxLength(int Length);
  bool isReadOnly() const { return ReadOnly; }
  void setReadOnly(bool On);

  int cursorPosition() const { return Line.Cursor(); }
  void setCursorPosition(int Position);
  // The text position nearest to Point, in the edit's coordinates.
  int cursorPositionAt(const QPoint& Point) const;
  // Around the caret, as Qt's: a few pixels either side of it, the line's height.
  QRect cursorRect() const;

  bool hasSelectedText() const { return Line.HasSelection(); }
  QString selectedText() const { return Line.SelectedText(); }
  int selectionStart() const { return Line.HasSelection() ? Line.SelectionStart() : -1; }
  int selectionEnd() const { return Line.HasSelection() ? Line.SelectionEnd() : -1; }
  int selectionLength() const { return Line.HasSelection() ? Line.SelectionEnd() - Line.SelectionStart() : -1; }
  void setSelection(int Start, int Length);
  void deselect();

  // Typed at the caret, in place of the selection, as far as the length allows.
  void insert(const QString& Text);
  void del();
  void backspace();
  void home(bool Mark);
  void end(bool Mark);
  void cursorForward(bool Mark, int Steps = 1);
  void cursorBackward(bool Mark, int Steps = 1);
  void cursorWordForward(bool Mark);
  void cursorWordBackward(bool Mark);

  bool isUndoAvailable() const { return !ReadOnly && Line.CanUndo(); }
  bool isRedoAvailable() const { return !ReadOnly && Line.CanRedo(); }

  QMargins textMargins() const { return {}; }
  bool hasFrame() const { return true; }
  Qt::Alignment alignment() const { return Qt::AlignLeft | Qt::AlignVCenter; }
  // Undo, redo, cut, copy, paste, delete and select all, as Qt's line edit offers them; the caller
  // owns the menu.
  QMenu* createStandardContextMenu();

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;
  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

  // Where the character at Position is drawn, in the edit's coordinates: what a screen reader
  // shows of it (the caret's rectangle at the text's end).
  QRect CharacterRect(int Position) const;
  // Where the caret is drawn: what a blink repaints.
  QRect CaretRect() const;
  // Drops the undo history after an edit once it holds more than Characters characters typed,
  // pasted or removed since it was last dropped (the text, caret and selection stay).
  void SetUndoBound(int Characters) { Line.SetHistoryBound(Characters); }
  // The text and its selection for a screen reader's edits, each one step of the undo history.
  void ReplaceText(int Start, int End, const QString& Text);

public slots:
  // A new text: the caret at its end, the undo history begun anew.
  void setText(const QString& Text);
  void clear();
  void selectAll();
  void undo();
  void redo();
  void cut();
  void copy() const;
  void paste();

signals:
  void textChanged(const QString& Text);
  void textEdited(const QString& Text);
  void cursorPositionChanged(int Old, int New);
  void selectionChanged();
  void returnPressed();
  void editingFinished();
  void inputRejected();

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void keyPressEvent(QKeyEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseMoveEvent(QMouseEvent* Event) override;
  void mouseReleaseEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;
  void dragEnterEvent(QDragEnterEvent* Event) override;
  void dragMoveEvent(QDragMoveEvent* Event) override;
  void dragLeaveEvent(QDragLeaveEvent* Event) override;
  void dropEvent(QDropEvent* Event) override;
  void contextMenuEvent(QContextMenuEvent* Event) override;
  void focusInEvent(QFocusEvent* Event) override;
  void focusOutEvent(QFocusEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void timerEvent(QTimerEvent* Event) override;

private:
  TLineText Line;
  TLineRuns Runs;
  TCaretBlink* Blink;
  bool ReadOnly = false;
  bool CursorVisible = false;  // focused, or showing where a drop would go
  // Qt's line edit's scroll: the line's x at the view's left edge, worked out again from the
  // caret when the text, caret, composition or size changed (Stale).
  mutable int Scroll = 0;
  mutable bool Stale = true;
  // The composition the input method shows at the caret, with its caret and formats.
  QString FPreedit;
  int PreeditCursor = 0;
  bool PreeditHidesCursor = false;
  bool PreeditDirty = false;  // the runs do not show it yet
  QList<QTextLayout::FormatRange> PreeditFormats;
  // Mouse state, as Qt's line edit keeps it.
  QPoint PressPoint;
  QBasicTimer TripleClickTimer;  // a press within this after a double click selects all
  QPoint TripleClickPoint;

  // A change of the model: the runs follow the text, the widget repaints and tells its listeners
  // (signals, a screen reader, the input method).
  void Apply(const TLineText::TChange& Change);
  void MoveCursor(int Position, bool Mark);
  // Ends the composition: the input method commits it, or it is dropped.
  void CommitPreedit();
  void ClearPreedit();
  void CopyTo(QClipboard::Mode Mode) const;
  void PasteFrom(QClipboard::Mode Mode);
  void DeleteSelected();
  void ProcessShortcutOverride(QKeyEvent* Event) const;
  // A click on the composition goes to the input method.
  bool SendToInputMethod(QMouseEvent* Event);

  void InitStyleOption(QStyleOptionFrame* Option) const;
  QRect ContentsRect() const;
  Qt::LayoutDirection TextDirection() const;
  int LineHeight() const;
  // Where the line is shown: its top, and its text's x at the view's left edge less the scroll.
  QRect LineRect() const;
  QPoint LineOrigin() const;
  void ScrollToCaret() const;
  int CaretX() const;
  // A caret's rectangle at x on the line, as Qt's line edit reports it.
  QRect RectAt(int X) const;
  // The text position at x in the edit's coordinates.
  int PositionAtX(int X) const;
};
