#include "field/in_view_line_edit.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QPainter>
#include <QStyleOptionFrame>
#include <QTextLine>

#include <algorithm>
#include <climits>

#include "field/caret_blink.h"
#include "field/scrolled_contents_style.h"

namespace {

// The gap a line edit leaves between its contents rectangle and its text, on either side.
constexpr int kHorizontalMargin = 2;
// The gap it leaves above or below its line when aligned to the top or bottom.
constexpr int kVerticalMargin = 1;
// Laid out beyond the view on either side: glyphs that lean or kern across its edge, and the
// shaping of the characters at its edge, come out as in the whole line.
constexpr int kWindowMargin = 32;

// Whether the text's first strongly directional character is right to left (QString's
// isRightToLeft), without looking up the direction of each digit and operator: below U+0590 the
// only strongly directional characters are left-to-right letters.
bool StartsRightToLeft(QStringView Text) {
  for (qsizetype At = 0; At < Text.size(); ++At) {
    const char16_t Char = Text[At].unicode();
    if (Char >= 0x0590) return Text.sliced(At).isRightToLeft();
    if (Char >= 0x80 ? QChar::direction(Char) == QChar::DirL : ((Char | 0x20) >= 'a' && (Char | 0x20) <= 'z'))
      return false;
  }
  return false;
}

}  // namespace

TInViewLineEdit::TInViewLineEdit(QWidget* Parent) : QLineEdit(Parent) {
  Style = new TScrolledContentsStyle(this, [this] { return Scroll; });
  setStyle(Style);
  Window.setCacheEnabled(true);  // a blink draws the same layout again
  Blink = new TCaretBlink([this] { update(FCaretRect); }, this);
  // The edit's caret rectangle starts a few pixels left of its caret; measured here, where the
  // text is empty and the caret at the line's start.
  CaretOffset = cursorRect().x() - (ContentsRect().x() + kHorizontalMargin);
  connect(this, &QLineEdit::textChanged, this, [this](const QString& Text) {
    RightToLeft = StartsRightToLeft(Text);
    // Text set other than by the input method ends the composition: the edit resets the input
    // method then, and shows none.
    if (!TakingInputMethod) ClearPreedit();
    Invalidate();
  });
  connect(this, &QLineEdit::cursorPositionChanged, this, &TInViewLineEdit::Invalidate);
  connect(this, &QLineEdit::selectionChanged, this, qOverload<>(&QWidget::update));
}

TInViewLineEdit::~TInViewLineEdit() {
  // The widget lets go of its style before the style goes.
  setStyle(nullptr);
  delete Style;
}

QVariant TInViewLineEdit::inputMethodQuery(Qt::InputMethodQuery Query) const {
  const QVariant Value = QLineEdit::inputMethodQuery(Query);
  // The edit places these by a line top of its own painting (0 here); they lie on the line drawn.
  if (Query == Qt::ImCursorRectangle || Query == Qt::ImAnchorRectangle) return Value.toRect().translated(0, VScroll);
  return Value;
}

bool TInViewLineEdit::event(QEvent* Event) {
  const QEvent::Type Type = Event->type();
  const bool Handled = QLineEdit::event(Event);
  switch (Type) {
    case QEvent::FocusIn:
      CursorVisible = true;
      Blink->Restart();
      update(FCaretRect);
      break;
    case QEvent::FocusOut:
      CursorVisible = false;
      Blink->Stop();
      update(FCaretRect);
      break;
    case QEvent::DragEnter:
    case QEvent::DragMove:
      // The caret shows where the text would be dropped.
      if (Event->isAccepted()) CursorVisible = true;
      break;
    case QEvent::DragLeave:
    case QEvent::Drop:
      CursorVisible = false;
      update(FCaretRect);
      break;
    case QEvent::KeyRelease:
      // As the edit's own caret: shown again, its period started again, at each key's release.
      if (hasFocus()) Blink->Restart();
      break;
    default:
      break;
  }
  return Handled;
}

void TInViewLineEdit::inputMethodEvent(QInputMethodEvent* Event) {
  TakingInputMethod = true;
  QLineEdit::inputMethodEvent(Event);
  TakingInputMethod = false;
  if (!Event->isAccepted() || isReadOnly()) return;
  // What the edit now shows at its caret, kept as it keeps it.
  Preedit = Event->preeditString();
  PreeditCursor = static_cast<int>(Preedit.size());
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
  Invalidate();
}

void TInViewLineEdit::changeEvent(QEvent* Event) {
  QLineEdit::changeEvent(Event);
  switch (Event->type()) {
    case QEvent::FontChange:
    case QEvent::StyleChange:
    case QEvent::LayoutDirectionChange:
      Invalidate();
      break;
    default:
      break;
  }
}

void TInViewLineEdit::resizeEvent(QResizeEvent* Event) {
  QLineEdit::resizeEvent(Event);
  Invalidate();
}

void TInViewLineEdit::ClearPreedit() {
  Preedit.clear();
  PreeditCursor = 0;
  PreeditHidesCursor = false;
  PreeditFormats.clear();
}

void TInViewLineEdit::Invalidate() {
  Stale = true;
  update();
  if (hasFocus()) Blink->Restart();
}

QRect TInViewLineEdit::ContentsRect() const {
  QStyleOptionFrame Panel;
  initStyleOption(&Panel);
  return Style->ContentsRect(&Panel).marginsRemoved(textMargins());
}

Qt::LayoutDirection TInViewLineEdit::TextDirection() const {
  // As the edit lays its text out: in the text's own direction, or the keyboard's while empty.
  if (text().isEmpty()) return QGuiApplication::inputMethod()->inputDirection();
  return RightToLeft ? Qt::RightToLeft : Qt::LeftToRight;
}

int TInViewLineEdit::CaretInWindow() const { return cursorPosition() - First + PreeditCursor; }

void TInViewLineEdit::LayOut(int ViewWidth) {
  const QString Text = displayText();  // the text as the edit lays it out
  const auto Length = static_cast<int>(Text.size());
  const int Cursor = cursorPosition();
  // The caret is always in view, so the view lies within its width either side of the caret.
  // Laid out whole: right-to-left text, whose runs may be reordered across the whole line, and
  // text with tabs, whose stops count from the line's start.
  const int Reach = ViewWidth + kWindowMargin;
  const bool Whole = TextDirection() == Qt::RightToLeft || Text.contains(u'\t');
  int Chars = Whole ? Length : Reach / std::max(1, fontMetrics().averageCharWidth() / 2) + 1;
  QTextOption Option;
  Option.setTextDirection(TextDirection());
  Option.setFlags(QTextOption::IncludeTrailingSpaces);
  for (;;) {
    First = std::max(0, Cursor - Chars);
    Last = std::min(Length, Cursor + Chars);
    if (First > 0 && Text[First].isLowSurrogate()) --First;
    if (Last < Length && Text[Last].isLowSurrogate()) ++Last;
    Window.setText(Text.mid(First, Last - First));
    Window.setFont(font());
    Window.setTextOption(Option);
    Window.setPreeditArea(Cursor - First, Preedit);
    QList<QTextLayout::FormatRange> Formats;
    for (QTextLayout::FormatRange Format : PreeditFormats) {
      Format.start += Cursor - First;
      Formats.append(Format);
    }
    Window.setFormats(Formats);
    Window.beginLayout();
    const QTextLine Line = Window.createLine();
    Window.endLayout();
    WindowCaretX = Line.cursorToX(CaretInWindow());
    const bool All = First == 0 && Last == Length;
    const bool LeftCovered = First == 0 || WindowCaretX >= Reach;
    const bool RightCovered = Last == Length || Line.naturalTextWidth() - WindowCaretX >= Reach;
    if (All || (LeftCovered && RightCovered)) break;
    Chars *= 2;
  }
  // The line's height as the edit measures it, the glyphs' own extent or the font's.
  InkHeight = QFontMetrics(font()).boundingRect(Window.text() + Preedit).height();
}

void TInViewLineEdit::ScrollToCaret(int LineWidth, Qt::Alignment Aligned) {
  const QTextLine Line = Window.lineAt(0);
  const int TextLength = static_cast<int>(displayText().size());
  // The caret's x in the edit's own line, as its caret rectangle tells (the edit's scroll is 0,
  // the rectangle carries this one).
  const int CaretX = cursorRect().x() - CaretOffset - (ContentsRect().x() - Scroll + kHorizontalMargin);
  WindowX = First == 0 ? 0.0 : CaretX - WindowCaretX;
  int WidthUsed = INT_MAX / 2;  // the text goes on beyond the view
  if (Last == TextLength) WidthUsed = qRound(WindowX + Line.naturalTextWidth()) + 1;
  // The line edit's own rules: the caret kept in view, a text that fits aligned, the text's end
  // kept at the right edge while the text is wider than the view.
  if (WidthUsed <= LineWidth) {
    switch (Aligned & ~(Qt::AlignAbsolute | Qt::AlignVertical_Mask)) {
      case Qt::AlignRight:
        Scroll = WidthUsed - LineWidth + 1;
        break;
      case Qt::AlignHCenter:
        Scroll = (WidthUsed - LineWidth) / 2;
        break;
      default:
        Scroll = 0;
        break;
    }
  } else if (CaretX - Scroll >= LineWidth) {
    Scroll = CaretX - LineWidth + 1;
  } else if (CaretX - Scroll < 0 && Scroll < WidthUsed) {
    Scroll = CaretX;
  } else if (WidthUsed - Scroll < LineWidth) {
    Scroll = WidthUsed - LineWidth + 1;
  } else {
    Scroll = std::max(0, Scroll);
  }
}

void TInViewLineEdit::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  const QPalette Palette = palette();
  QStyleOptionFrame Panel;
  initStyleOption(&Panel);
  style()->drawPrimitive(QStyle::PE_PanelLineEdit, &Panel, &Painter, this);
  const QRect Contents = Style->ContentsRect(&Panel).marginsRemoved(textMargins());
  Painter.setClipRect(Contents);
  const int LineWidth = Contents.width() - 2 * kHorizontalMargin;
  const Qt::Alignment Aligned = QStyle::visualAlignment(TextDirection(), alignment());
  const int OldScroll = Scroll;
  if (Stale) LayOut(LineWidth);
  const QFontMetrics Metrics = fontMetrics();
  const int LineHeight = std::max(InkHeight, Metrics.height());
  switch (Aligned & Qt::AlignVertical_Mask) {
    case Qt::AlignBottom:
      VScroll = Contents.y() + Contents.height() - LineHeight - kVerticalMargin;
      break;
    case Qt::AlignTop:
      VScroll = Contents.y() + kVerticalMargin;
      break;
    default:
      VScroll = Contents.y() + (Contents.height() - LineHeight + 1) / 2;
      break;
  }
  const QRect Line(Contents.x() + kHorizontalMargin, VScroll, LineWidth, LineHeight);
  if (Stale) {
    ScrollToCaret(LineWidth, Aligned);
    Stale = false;
  }
  // The input method places its candidates by the caret rectangle, which moves with the scroll.
  // The edit tells it of each caret move before it scrolls, as Qt's own does; while something is
  // composed, the rectangle is told again where the scroll has put it.
  if (Scroll != OldScroll && hasFocus() && !Preedit.isEmpty())
    QMetaObject::invokeMethod(this, [this] { updateMicroFocus(Qt::ImCursorRectangle); }, Qt::QueuedConnection);

  if (!placeholderText().isEmpty() && text().isEmpty() && Preedit.isEmpty()) {
    const Qt::LayoutDirection Direction = placeholderText().isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    Painter.setPen(Palette.placeholderText().color());
    Painter.setLayoutDirection(Direction);
    Painter.drawText(Line, QStyle::visualAlignment(Direction, alignment()),
                     Metrics.elidedText(placeholderText(), Qt::ElideRight, Line.width()));
  }

  const QTextLine Laid = Window.lineAt(0);
  const QPointF Origin(Line.x() - Scroll + WindowX, Line.y() - (qRound(Laid.ascent()) - Metrics.ascent()));
  Painter.setPen(Palette.text().color());
  QList<QTextLayout::FormatRange> Selections;
  if (hasSelectedText()) {
    const int Start = std::max(First, selectionStart());
    const int End = std::min(Last, selectionEnd());
    if (End > Start) {
      QTextLayout::FormatRange Selected;
      Selected.start = Start - First;
      Selected.length = End - Start;
      Selected.format.setBackground(Palette.brush(QPalette::Highlight));
      Selected.format.setForeground(Palette.brush(QPalette::HighlightedText));
      Selections.append(Selected);
    }
  }
  Window.draw(&Painter, Origin, Selections, Contents);

  const int CaretWidth = style()->pixelMetric(QStyle::PM_TextCursorWidth, &Panel, this);
  // Wide enough for the mark the caret carries where the text changes direction.
  const int CaretLeft = qFloor(Origin.x() + WindowCaretX) - 5;
  FCaretRect = QRect(CaretLeft, qFloor(Origin.y()), CaretWidth + 10, qCeil(Laid.height()) + 1);
  if (CursorVisible && Blink->Shown() && !PreeditHidesCursor && !isReadOnly() && inputMask().isEmpty())
    Window.drawCursor(&Painter, Origin, CaretInWindow(), CaretWidth);
}
