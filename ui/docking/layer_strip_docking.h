#pragma once

#include <QObject>
#include <QStringList>

#include "docking/strip_docking.h"

class TMonitorWatch;
namespace LayerShellQt {
class Window;
}

// The strip docked as a Wayland panel, a layer surface of the compositor's wlr-layer-shell (through
// layer-shell-qt): anchored to the left, right and its edge of the output the compositor gives it,
// in the top layer, with an exclusive zone of its height, taking the keyboard when clicked (on
// demand). Hiding the window unmaps the surface, which gives the band back; showing it makes a new
// one. A layer surface whose output goes away is closed or left without a place (sway leaves it):
// the strip then comes back as a new surface on the outputs that are left, or on the next one
// that comes when none is left.
class TLayerStripDocking : public QObject, public TStripDocking {
  Q_OBJECT
public:
  TLayerStripDocking(QWidget* Strip, int Height);

  void DockAt(TDockEdge Edge) override;
  void Showing() override;
  void Hidden() override;
  void TakeKeys() override;

private:
  QWidget* const Strip;
  const int Height;
  LayerShellQt::Window* Layer = nullptr;
  TMonitorWatch* Outputs = nullptr;
  QStringList OutputNames;  // the outputs at the last look

  // Maps the shown strip as a new surface when an output it may lie on went away, or when the
  // first output comes after none.
  void FollowOutputs();
};
