#include "ui_palette.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>

void SetFieldColours(QWidget* Field, const QColor& Background, const QColor& Text) {
  QPalette Palette = Field->palette();
  for (auto Group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    Palette.setColor(Group, QPalette::Base, Background);
    Palette.setColor(Group, QPalette::Text, Text);
  }
  Field->setPalette(Palette);
}

QColor WindowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }

QColor WindowText() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }

void SetTextColour(QWidget* Control, const QColor& Colour) {
  QPalette Palette = Control->palette();
  for (auto Group : {QPalette::Active, QPalette::Inactive}) {
    Palette.setColor(Group, QPalette::ButtonText, Colour);
  }
  Control->setPalette(Palette);
}
