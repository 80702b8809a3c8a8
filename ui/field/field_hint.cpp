#include "field/field_hint.h"

#include <QInputMethodEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

TFieldHint::TFieldHint(QLineEdit* HintedField, const QString& HintText)
    : QObject(HintedField), Field(HintedField), Hint(HintText) {
  Field->installEventFilter(this);
}

bool TFieldHint::eventFilter(QObject*, QEvent* Event) {
  // A composition in progress is shown in the field, not yet its text: no hint over it.
  if (Event->type() == QEvent::InputMethod)
    Composing = !static_cast<QInputMethodEvent*>(Event)->preeditString().isEmpty();
  if (Event->type() != QEvent::Paint || !Field->text().isEmpty() || Composing) return false;
  // The field paints itself first (its own event handler, which filters do not see again), then
  // the hint goes over it.
  Field->event(Event);
  QStyleOptionFrame Option;
  Option.initFrom(Field);
  Option.lineWidth = Field->hasFrame() ? Field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &Option, Field) : 0;
  const QRect Contents = Field->style()->subElementRect(QStyle::SE_LineEditContents, &Option, Field)
                             .marginsRemoved(Field->textMargins())
                             .adjusted(2, 0, -2, 0);  // the field's own margin before its text
  QPainter Painter(Field);
  Painter.setPen(Field->palette().color(QPalette::PlaceholderText));
  Painter.setFont(Field->font());
  Painter.drawText(Contents, Qt::AlignLeft | Qt::AlignVCenter,
                   Painter.fontMetrics().elidedText(Hint, Qt::ElideRight, Contents.width()));
  return true;
}
