// Where the long line edit shows its line: the frame and contents rectangle of Qt's line edit,
// the line's place in it, the scroll that keeps the caret in view, and the positions and
// rectangles that clicks, the input method and a screen reader go by.
#include <QGuiApplication>
#include <QInputMethod>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>

#include "field/long_line_edit.h"

namespace {

// The gap Qt's line edit leaves between its contents rectangle and its text, on either side.
constexpr int kHorizontalMargin = 2;
// The gap it leaves above or below its line when aligned to the top or bottom.
constexpr int kVerticalMargin = 1;

}  // namespace

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
