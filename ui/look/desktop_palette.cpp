#include "look/desktop_palette.h"

#include <QApplication>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleHints>

#include <memory>

namespace {

// Whether the palette in effect is the one Qt gives where no platform theme (and no style) gives
// one of its own: Fusion's. qt6ct without a palette of its own, the generic and GNOME themes give
// it; qt6ct's colour schemes, gtk3's and KDE's palettes and Adwaita's style do not.
bool PlainFusionInEffect() {
  const std::unique_ptr<QStyle> Fusion(QStyleFactory::create(QStringLiteral("Fusion")));
  return Fusion && QApplication::palette() == Fusion->standardPalette();
}

// Whether a palette is light: its text darker than the fields behind it.
bool Light(const QPalette& Palette) {
  return Palette.color(QPalette::Text).lightness() < Palette.color(QPalette::Base).lightness();
}

// Whether Qt's platform theme says the desktop is light (from Qt 6.5 on; the gtk3 theme after a
// light GTK theme, say): its word comes before the portal's. Qt 6.4 does not tell.
bool ThemeSaysLight() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  return QGuiApplication::styleHints()->colorScheme() == Qt::ColorScheme::Light;
#else
  return false;
#endif
}

}  // namespace

QPalette DarkPalette() {
  const QColor Window(0x2e, 0x2e, 0x2e), Text(0xf0, 0xf0, 0xf0), Base(0x1e, 0x1e, 0x1e), Button(0x3a, 0x3a, 0x3a);
  // Window text, button, light, dark, mid, text, bright text, base, window: every group alike.
  QPalette P(Text, Button, Button.lighter(140), Button.darker(200), Button.darker(140), Text, Qt::white, Base, Window);
  P.setColor(QPalette::AlternateBase, Base.lighter(130));
  P.setColor(QPalette::Shadow, Qt::black);
  // White on the selection at better than 5:1.
  P.setColor(QPalette::Highlight, QColor(0x2a, 0x6f, 0xb8));
  P.setColor(QPalette::HighlightedText, Qt::white);
  P.setColor(QPalette::Link, QColor(0x8a, 0xb4, 0xf8));
  P.setColor(QPalette::LinkVisited, QColor(0xc5, 0x8a, 0xf9));
  P.setColor(QPalette::ToolTipBase, Button);
  P.setColor(QPalette::ToolTipText, Text);
  P.setColor(QPalette::PlaceholderText, QColor(0xa0, 0xa0, 0xa0));
  const QColor Greyed(0x80, 0x80, 0x80);
  for (auto Role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::PlaceholderText})
    P.setColor(QPalette::Disabled, Role, Greyed);
  P.setColor(QPalette::Disabled, QPalette::Base, Window);
  P.setColor(QPalette::Disabled, QPalette::Highlight, Button.lighter(140));
  return P;
}

TDesktopPalette::TDesktopPalette(QObject* Parent) : QObject(Parent), PlainFusion(PlainFusionInEffect()) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 5, 0)
  // Qt's own palette may turn dark with its idea of the scheme (Qt 6.8's GNOME theme changes the
  // idea with the GTK theme's name, but not its palette): once it has, the dark palette is set
  // again only where Qt's own stayed light.
  connect(QGuiApplication::styleHints(), &QStyleHints::colorSchemeChanged, this, [this] {
    QMetaObject::invokeMethod(this, [this] {
      GiveBack();
      Follow(Preference);
    }, Qt::QueuedConnection);
  });
#endif
}

void TDesktopPalette::Follow(TColourScheme Scheme) {
  Preference = Scheme;
  if (Scheme != TColourScheme::Dark) {
    GiveBack();
    return;
  }
  // Qt's own palette where it is already dark.
  if (!PlainFusion || DarkSet || ThemeSaysLight() || !Light(QApplication::palette())) return;
  QApplication::setPalette(DarkPalette());
  DarkSet = true;
}

void TDesktopPalette::GiveBack() {
  if (!DarkSet) return;
  DarkSet = false;
  // A palette with no roles set gives Qt's own back, which again follows its theme.
  QApplication::setPalette(QPalette());
}
