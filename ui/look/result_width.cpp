#include "look/result_width.h"

#include <QFontMetricsF>
#include <QLineEdit>
#include <QLocale>
#include <QStyle>
#include <QStyleOptionFrame>

#include <cmath>

namespace {

// The space QLineEdit keeps between its contents rectangle and the text on each side.
constexpr int kTextMargin = 2;
// The caret after the last character takes a pixel of its own.
constexpr int kCaretWidth = 1;

}  // namespace

QString LongestResultText(const QLineEdit* Field) {
  const QFontMetricsF Metrics(Field->font());
  QChar Widest = u'0';
  for (char16_t Digit = u'1'; Digit <= u'9'; ++Digit) {
    if (Metrics.horizontalAdvance(QChar(Digit)) > Metrics.horizontalAdvance(Widest)) Widest = QChar(Digit);
  }
  const QString Decimal = QLocale().decimalPoint();
  return QStringLiteral("-") + Widest + Decimal + QString(14, Widest) + QStringLiteral("E-") + QString(4, Widest);
}

int FieldWidthFor(const QLineEdit* Field, const QString& Text) {
  QStyleOptionFrame Option;
  Option.initFrom(Field);
  Option.rect = Field->rect();
  Option.lineWidth = Field->hasFrame() ? Field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &Option, Field) : 0;
  Option.midLineWidth = 0;
  Option.state |= QStyle::State_Sunken;
  const QRect Contents = Field->style()->subElementRect(QStyle::SE_LineEditContents, &Option, Field);
  const int Frame = Field->width() - Contents.width();
  const QMargins Margins = Field->textMargins();
  const int TextWidth = static_cast<int>(std::ceil(QFontMetricsF(Field->font()).horizontalAdvance(Text)));
  return TextWidth + kCaretWidth + 2 * kTextMargin + Margins.left() + Margins.right() + Frame;
}
