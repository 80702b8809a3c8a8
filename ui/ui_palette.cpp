#include "ui_palette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void SetFieldColour(QWidget* Field, const QColor& Colour) {
  QPalette Palette = Field->palette();
  for (auto Group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    Palette.setColor(Group, QPalette::Base, Colour);
  }
  Field->setPalette(Palette);
}

QColor WindowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }

void SetTextColour(QWidget* Control, const QColor& Colour) {
  QPalette Palette = Control->palette();
  for (auto Group : {QPalette::Active, QPalette::Inactive}) {
    Palette.setColor(Group, QPalette::ButtonText, Colour);
  }
  Control->setPalette(Palette);
}
