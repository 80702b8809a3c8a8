#pragma once

#include <QString>

class QLineEdit;

// The longest text FloatToStr can make, with the widest digit of the field's font in every digit
// place: a sign, 15 significant digits with the decimal separator, and a negative four-digit
// exponent ("-3.64519953188247E-4951" is one such result).
QString LongestResultText(const QLineEdit* Field);

// The width Field needs to show Text whole, without scrolling: its frame, its margins and the
// caret included, in its own font and style.
int FieldWidthFor(const QLineEdit* Field, const QString& Text);

// The width Field needs to show every result whole.
inline int ResultFieldWidth(const QLineEdit* Field) { return FieldWidthFor(Field, LongestResultText(Field)); }
