#pragma once

#include <QColor>

class QWidget;

inline const QColor kClSilver(0xC0, 0xC0, 0xC0);
inline const QColor kClRed(0xFF, 0x00, 0x00);

// The background and text colours of a field in every state (enabled or not, active window or
// not).
void SetFieldColours(QWidget* Field, const QColor& Background, const QColor& Text);

// The system colour for window backgrounds, as fields show it, and for the text on it.
QColor WindowBackground();
QColor WindowText();

// The colour of a button's caption.
void SetTextColour(QWidget* Control, const QColor& Colour);
