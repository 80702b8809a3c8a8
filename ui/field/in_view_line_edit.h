#pragma once

#include <QLineEdit>
#include <QList>
#include <QTextLayout>

class TCaretBlink;
class TScrolledContentsStyle;

// A line edit whose painting costs what is in view, not what it holds. Qt's line edit draws its
// whole line of text for any rectangle, and measures the whole text again on each painting, so
// at tens of thousands of characters every key, caret move and caret blink costs milliseconds.
// This one paints the characters around the caret that can be in view, laid out on their own,
// placed where the edit's own layout has them (it scrolls as Qt's does: the caret kept in view,
// the text's end kept at the right edge), and blinks its caret by repainting the caret alone.
// Everything else (editing, undo, selection, composition, drag and drop, what a screen reader
// is told) is the line edit's own; see TScrolledContentsStyle for how its coordinates follow.
class TInViewLineEdit : public QLineEdit {
  Q_OBJECT
public:
  explicit TInViewLineEdit(QWidget* Parent = nullptr);
  ~TInViewLineEdit() override;

  // Where the caret is drawn, in the edit's coordinates: what a blink repaints.
  QRect CaretRect() const { return FCaretRect; }

  QVariant inputMethodQuery(Qt::InputMethodQuery Query) const override;

protected:
  bool event(QEvent* Event) override;
  void paintEvent(QPaintEvent* Event) override;
  void inputMethodEvent(QInputMethodEvent* Event) override;
  void changeEvent(QEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;

private:
  TScrolledContentsStyle* Style;
  TCaretBlink* Blink;
  int Scroll = 0;              // the text's x at the left edge of the line: the edit's scroll
  int VScroll = 0;             // the line's top
  int CaretOffset = 0;         // how far the edit's caret rectangle starts left of its caret
  bool CursorVisible = false;  // focused, or showing where a drop would go
  bool Stale = true;           // the text, caret or composition changed since the last layout
  bool RightToLeft = false;    // the text's own direction
  bool TakingInputMethod = false;
  // The composition the edit shows at its caret, as it took it from the input method.
  QString Preedit;
  int PreeditCursor = 0;
  bool PreeditHidesCursor = false;
  QList<QTextLayout::FormatRange> PreeditFormats;
  // The characters First..Last laid out on their own, where they start in the edit's whole line,
  // and where the caret is in their layout.
  QTextLayout Window;
  int First = 0;
  int Last = 0;
  qreal WindowX = 0;
  qreal WindowCaretX = 0;
  int InkHeight = 0;
  QRect FCaretRect;

  QRect ContentsRect() const;
  Qt::LayoutDirection TextDirection() const;
  int CaretInWindow() const;
  void ClearPreedit();
  void Invalidate();
  void LayOut(int ViewWidth);
  void ScrollToCaret(int LineWidth, Qt::Alignment Aligned);
};
