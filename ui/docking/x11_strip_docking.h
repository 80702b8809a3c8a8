#pragma once

#include <QObject>
#include <QRect>

#include <optional>

#include "docking/strip_docking.h"
#include "qt/monitors.h"
#include "qt/struts.h"

class QTimer;

// The strip docked the X11 way (also through XWayland, and on Qt's offscreen platform): placed at
// its edge of the primary monitor, beside the bands other panels reserve there, reserving its own
// band with a partial strut while shown, off task bars and on every workspace, and re-placed on
// every change of the monitors or of the other panels. Where the window manager keeps an
// ordinary window out of the band (mutter, metacity), the strip becomes a dock window.
class TX11StripDocking : public QObject, public TStripDocking {
  Q_OBJECT
public:
  TX11StripDocking(QWidget* Strip, int Height);

  void DockAt(TDockEdge Edge) override;
  void Showing() override;
  void Hidden() override;
  void TakeKeys() override;

  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* const Strip;
  const int Height;
  TDockEdge Edge = TDockEdge::Top;
  std::optional<TMonitor> DockedOn;  // the monitor the strip lies on, none before one was on
  QRect Docked;                      // where, in device pixels
  std::optional<TStrut> Reserved;    // what it reserves there while shown
  TMonitorWatch* Monitors = nullptr;
  TScreenEdgesWatch* ScreenEdges = nullptr;
  // Whether the strip is a dock window: it becomes one, for the rest of the run, where the window
  // manager keeps it out of its band as an ordinary window.
  bool DockWindow = false;
  QTimer* PlacementCheck = nullptr;  // looks where the window manager put the strip, once it rests

  // Docks the strip at its edge of the primary monitor as the monitors and the other panels are
  // now, and reserves its band while shown; with no monitor on, it stays where it is until one
  // comes.
  void Dock();
  // Makes the strip a dock window where the window manager placed it outside its band, and docks
  // it there again.
  void KeepInBand();
};
