#include "look/speed_button.h"

#include <QStyleOptionToolButton>
#include <QStylePainter>

TSpeedButton::TSpeedButton(QWidget* Parent) : QToolButton(Parent) {
  setFocusPolicy(Qt::NoFocus);
  setToolButtonStyle(Qt::ToolButtonTextOnly);
}

void TSpeedButton::SetMargin(int NewMargin) {
  Margin = NewMargin;
  update();
}

void TSpeedButton::SetHint(const QString& Hint) {
  setToolTip(Hint);
  setAccessibleName(Hint);
}

void TSpeedButton::paintEvent(QPaintEvent* Event) {
  if (Margin < 0) return QToolButton::paintEvent(Event);
  // The bevel as the style draws it, then the caption at the margin.
  QStylePainter Painter(this);
  QStyleOptionToolButton Option;
  initStyleOption(&Option);
  const QString Caption = Option.text;
  Option.text.clear();
  Painter.drawComplexControl(QStyle::CC_ToolButton, Option);
  QRect Area = rect().adjusted(Margin, 0, 0, 0);
  if (isDown() || isChecked()) Area.translate(1, 1);
  Painter.drawItemText(Area, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, palette(), isEnabled(),
                       Caption, QPalette::ButtonText);
}
