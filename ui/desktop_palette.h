#pragma once

#include <QObject>
#include <QPalette>

#include "qt/portal_colour_scheme.h"

// The palette the program takes on a dark desktop where nothing else gives one: dark fields,
// panel and buttons with light text.
QPalette DarkPalette();

// The application's palette under the desktop's light or dark preference. A platform theme's
// palette (qt6ct, gtk3, KDE's) and Qt's own following of the preference come first: the program
// sets its dark palette only where Qt's plain Fusion palette was in effect when it started, and Qt
// knows of no colour scheme itself (Qt 6.4 never does; later versions do where their theme reads
// the portal). Light and no preference give Qt's own palette back.
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
  bool DarkSet = false;

  void GiveBack();
};
