#pragma once

#include <QColor>
#include <QObject>
#include <QPalette>

#include <functional>
#include <initializer_list>

class QWidget;

// The colours of the strip's and the keypad's looks on a light desktop.
inline const QColor kClSilver(0xC0, 0xC0, 0xC0);
inline const QColor kClRed(0xFF, 0x00, 0x00);

// The least contrast between a text and its background (WCAG 2.1's ratio for normal text).
constexpr double kMinContrast = 4.5;

// WCAG 2.1's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double Contrast(const QColor& A, const QColor& B);

// Preferred as it is when it reads at kMinContrast on every one of Backgrounds; else the same hue
// made darker (on light backgrounds) or lighter (on dark ones), with some room to spare.
QColor Readable(const QColor& Preferred, std::initializer_list<QColor> Backgrounds);

// Every colour the strip and the keypad use, derived from one palette (the window's), each text
// readable on its own background. A light palette keeps silver, its greys and red wherever they
// read well; a dark one gets a lighter grey box for "no result" and lighter reds.
struct TUiColours {
  QColor FieldBackground;     // a field that holds a value (the expression, a fresh result)
  QColor FieldText;
  QColor NoResultBackground;  // the no-result, message and stale looks: silver on a light palette
  QColor GreyedText;          // a message or a stale value, on NoResultBackground
  QColor MarkText;            // a value that read unassigned names, on either field background
  QColor PanelBackground;     // behind the strip's flat buttons
  QColor ButtonBackground;    // a flat button under the mouse
  QColor RaisedFace;          // a raised button's face (the keypad's), drawn lighter than that
  // On each of the three backgrounds above: the captions, and "&C", "E&XIT" and "Ｃ".
  QColor CaptionText;
  QColor CaptionRed;
};
TUiColours UiColours(const QPalette& Palette);

// The background and text colours of a field in every state (enabled or not, active window or
// not).
void SetFieldColours(QWidget* Field, const QColor& Background, const QColor& Text);

// The system colour for window backgrounds, as fields show it, and for the text on it.
QColor WindowBackground();
QColor WindowText();

// The colour of a button's caption.
void SetTextColour(QWidget* Control, const QColor& Colour);

// Runs Recolour whenever the palette of Window changes: the application's (another theme, a dark
// mode switched on) or its own.
class TPaletteWatch : public QObject {
  Q_OBJECT
public:
  TPaletteWatch(QWidget* Window, std::function<void()> Recolour);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  std::function<void()> Recolour;
  bool Pending = false;
};
