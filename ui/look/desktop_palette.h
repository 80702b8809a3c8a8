#pragma once

#include <QObject>
#include <QPalette>

#include "qt/portal_colour_scheme.h"

// The palette the program takes on a dark desktop where nothing else gives one: dark fields,
// panel and buttons with light text.
QPalette DarkPalette();

// The application's palette under the desktop's light or dark preference. A platform theme's or a
// style's palette (qt6ct, gtk3, KDE's, Adwaita's) comes first: the program sets its dark palette
// only where Qt's plain Fusion palette was in effect when it started, where Qt's platform theme
// does not say the desktop is light, and only while Qt's own palette is light (Qt 6.4 and 6.8 do
// not turn it dark for the portal's preference; a Qt that does keeps its own). Light and no
// preference give Qt's own palette back.
class TDesktopPalette : public QObject {
  Q_OBJECT
public:
  explicit TDesktopPalette(QObject* Parent);

  // Whether the preference may decide the palette at all: not under a platform theme's or a
  // style's own palette.
  bool Decides() const { return PlainFusion; }

public slots:
  void Follow(TColourScheme Scheme);

private:
  const bool PlainFusion;
  TColourScheme Preference = TColourScheme::NoPreference;
  bool DarkSet = false;

  void GiveBack();
};
