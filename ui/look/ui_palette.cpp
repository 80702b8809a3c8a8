#include "look/ui_palette.h"

#include <QApplication>
#include <QEvent>
#include <QPalette>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

double Luminance(const QColor& C) {
  const auto Linear = [](double V) { return V <= 0.04045 ? V / 12.92 : std::pow((V + 0.055) / 1.055, 2.4); };
  return 0.2126 * Linear(C.redF()) + 0.7152 * Linear(C.greenF()) + 0.0722 * Linear(C.blueF());
}

// Above this luminance black reads better on a colour than white does.
constexpr double kLightAbove = 0.179;

bool IsLight(const QColor& Background) { return Luminance(Background) > kLightAbove; }

QColor Mix(const QColor& From, const QColor& To, double Share) {
  const auto Channel = [Share](double A, double B) { return A + (B - A) * Share; };
  return QColor::fromRgbF(static_cast<float>(Channel(From.redF(), To.redF())),
                          static_cast<float>(Channel(From.greenF(), To.greenF())),
                          static_cast<float>(Channel(From.blueF(), To.blueF())));
}

// A colour made readable goes this far: thin strokes drawn with antialiasing never quite reach
// their colour on the screen, and one made just readable would read less there.
constexpr double kMadeContrast = 5.0;
// How much lighter than the palette's button colour a raised button's face is drawn (Fusion draws
// it so on a dark palette: #424245 as #5c5c5f).
constexpr int kRaisedFace = 140;

// A text greyer than a result, for messages and stale values on a light palette: readable on
// silver, where the styles' own colour for greyed text all but vanishes.
const QColor kGreyedText(0x48, 0x48, 0x48);
// The mark of a value computed with names never given a value, on a light palette.
const QColor kUnassignedMark(0xA0, 0x00, 0x00);
// How far a dark palette's no-result box lies from the field's background towards its text:
// plainly another box, with room for a greyed text above it.
constexpr double kNoResultShare = 0.16;
// How far a dark palette's greyed text lies from the text towards its background.
constexpr double kGreyedShare = 0.3;

}  // namespace

double Contrast(const QColor& A, const QColor& B) {
  const double L1 = Luminance(A), L2 = Luminance(B);
  return (std::max(L1, L2) + 0.05) / (std::min(L1, L2) + 0.05);
}

QColor Readable(const QColor& Preferred, std::initializer_list<QColor> Backgrounds) {
  const auto Reads = [&](const QColor& Text, double Least) {
    return std::all_of(Backgrounds.begin(), Backgrounds.end(),
                       [&](const QColor& Back) { return Contrast(Text, Back) >= Least; });
  };
  if (Reads(Preferred, kMinContrast)) return Preferred;
  double Light = 0;
  for (const QColor& Back : Backgrounds) Light += IsLight(Back) ? 1 : -1;
  const float Step = Light > 0 ? -0.005F : 0.005F;
  // The hue and saturation stay: a red stays a red, only darker or lighter.
  float Hue = 0, Saturation = 0, Lightness = 0;
  Preferred.toHsl().getHslF(&Hue, &Saturation, &Lightness);
  QColor Text = Preferred;
  while (!Reads(Text, kMadeContrast) && Lightness > 0 && Lightness < 1) {
    Lightness = std::clamp(Lightness + Step, 0.0F, 1.0F);
    Text = QColor::fromHslF(Hue, Saturation, Lightness).toRgb();
  }
  return Text;
}

TUiColours UiColours(const QPalette& Palette) {
  const auto Role = [&Palette](QPalette::ColorRole R) { return Palette.color(QPalette::Active, R); };
  TUiColours C;
  C.FieldBackground = Role(QPalette::Base);
  C.FieldText = Readable(Role(QPalette::Text), {C.FieldBackground});
  const bool Light = IsLight(C.FieldBackground);
  C.NoResultBackground = Light ? kClSilver : Mix(C.FieldBackground, C.FieldText, kNoResultShare);
  C.GreyedText =
      Readable(Light ? kGreyedText : Mix(C.FieldText, C.NoResultBackground, kGreyedShare), {C.NoResultBackground});
  C.MarkText = Readable(kUnassignedMark, {C.FieldBackground, C.NoResultBackground});
  C.PanelBackground = Role(QPalette::Window);
  C.ButtonBackground = Role(QPalette::Button);
  C.RaisedFace = C.ButtonBackground.lighter(kRaisedFace);
  C.CaptionText = Readable(Role(QPalette::WindowText), {C.PanelBackground, C.ButtonBackground, C.RaisedFace});
  C.CaptionRed = Readable(kClRed, {C.PanelBackground, C.ButtonBackground, C.RaisedFace});
  return C;
}

void SetFieldColours(QWidget* Field, const QColor& Background, const QColor& Text) {
  QPalette Palette = Field->palette();
  for (auto Group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    Palette.setColor(Group, QPalette::Base, Background);
    Palette.setColor(Group, QPalette::Text, Text);
    Palette.setColor(Group, QPalette::Window, Background);
    Palette.setColor(Group, QPalette::Button, Background);
  }
  Field->setPalette(Palette);
}

QColor WindowBackground() { return QApplication::palette().color(QPalette::Active, QPalette::Base); }

QColor WindowText() { return QApplication::palette().color(QPalette::Active, QPalette::Text); }

void SetTextColour(QWidget* Control, const QColor& Colour) {
  QPalette Palette = Control->palette();
  // Styles draw a flat button's caption in one or the other (Adwaita in the window's text colour).
  for (auto Group : {QPalette::Active, QPalette::Inactive}) {
    Palette.setColor(Group, QPalette::ButtonText, Colour);
    Palette.setColor(Group, QPalette::WindowText, Colour);
  }
  Control->setPalette(Palette);
}

TPaletteWatch::TPaletteWatch(QWidget* Window, std::function<void()> WhenChanged)
    : QObject(Window), Recolour(std::move(WhenChanged)) {
  Window->installEventFilter(this);
}

bool TPaletteWatch::eventFilter(QObject*, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::PaletteChange:
    case QEvent::ApplicationPaletteChange:
    case QEvent::StyleChange:
      // Once the window has taken the new palette, which it does after its filters; a theme change
      // sends several of these at once, and one recolouring follows them all.
      if (!Pending) {
        Pending = true;
        QMetaObject::invokeMethod(this, [this] {
          Pending = false;
          Recolour();
        }, Qt::QueuedConnection);
      }
      break;
    default:
      break;
  }
  return false;
}
