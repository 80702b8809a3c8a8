#pragma once

#include <QObject>

#include "strip_docking.h"

class TMonitorWatch;
namespace LayerShellQt {
class Window;
}

// The strip docked as a Wayland panel, a layer surface of the compositor's wlr-layer-shell (through
// layer-shell-qt): anchored to the left, right and its edge of the output the compositor gives it,
// in the top layer, with an exclusive zone of its height, taking the keyboard when clicked (on
// demand). Hiding the window unmaps the surface, which gives the band back; showing it makes a new
// one. A compositor closes a layer surface whose output goes away: the strip then comes back as a
// new surface on the outputs that are left, or on the next one that comes.
class TLayerStripDocking : public QObject, public TStripDocking {
  Q_OBJECT
public:
  TLayerStripDocking(QWidget* Strip, int Height);

  void DockAt(TDockEdge Edge) override;
  void Showing() override;
  void Hidden() override;

  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* const Strip;
  const int Height;
  LayerShellQt::Window* Layer = nullptr;
  TMonitorWatch* Outputs = nullptr;
  // Closed by the compositor while shown, and not yet back.
  bool Dismissed = false;
  // Surfaces made anew since the outputs last changed: a compositor that closes the new one too
  // (no output to put it on) is asked again only when the outputs change.
  int ComebacksSinceOutputsChanged = 0;

  // Maps the strip as a new surface where it was closed.
  void ComeBack();
};
