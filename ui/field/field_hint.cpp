#include "field/field_hint.h"

#include <QInputMethodEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>

#include "field/line_access.h"

TFieldHint::TFieldHint(QWidget* HintedField, const QString& HintText)
    : QObject(HintedField), Field(HintedField), Hint(HintText) {
  Field->installEventFilter(this);
}

bool TFieldHint::eventFilter(QObject*, QEvent* Event) {
  // A composition in progress is shown in the field, not yet its text: no hint over it.
  if (Event->type() == QEvent::InputMethod)
    Composing = !static_cast<QInputMethodEvent*>(Event)->preeditString().isEmpty();
  if (Event->type() != QEvent::Paint || Composing) return false;
  return WithLine(Field, [this, Event](auto* Line) {
    if (!Line->text().isEmpty()) return false;
    // The field paints itself first (its own event handler, which filters do not see again), then
    // the hint goes over it. QObject's event is public where the field's own may not be.
    static_cast<QObject*>(Line)->event(Event);
    QStyleOptionFrame Option;
    Option.initFrom(Line);
    Option.lineWidth = Line->hasFrame() ? Line->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &Option, Line) : 0;
    const QRect Contents = Line->style()->subElementRect(QStyle::SE_LineEditContents, &Option, Line)
                               .marginsRemoved(Line->textMargins())
                               .adjusted(2, 0, -2, 0);  // the field's own margin before its text
    QPainter Painter(Line);
    Painter.setPen(Line->palette().color(QPalette::PlaceholderText));
    Painter.setFont(Line->font());
    Painter.drawText(Contents, Qt::AlignLeft | Qt::AlignVCenter,
                     Painter.fontMetrics().elidedText(Hint, Qt::ElideRight, Contents.width()));
    return true;
  });
}
