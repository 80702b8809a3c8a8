#pragma once

#include <QString>

#include <memory>

#include "docking/strip_placement.h"

class QWidget;

// How the strip holds its band at an edge of the screen, whatever the desktop: the strip window
// tells it the edge and when it is shown or hidden, and the docking does the rest (where the
// window lies, what it reserves, how it follows the monitors and the other panels).
class TStripDocking {
public:
  virtual ~TStripDocking() = default;

  // The strip lies against Edge from now on, shown or hidden.
  virtual void DockAt(TDockEdge Edge) = 0;
  // The strip is about to be shown (from its show event, before the window is mapped).
  virtual void Showing() = 0;
  // The strip has been hidden: its band goes back to the other windows.
  virtual void Hidden() = 0;
  // Makes the shown strip the window that takes the user's keys, as the desktop lets a panel.
  virtual void TakeKeys() = 0;
};

// The two ways to dock: X11 struts and window type (X11, XWayland, Qt's offscreen platform), or a
// layer surface of the compositor's wlr-layer-shell.
enum class TDockingKind { X11, LayerSurface };

// The way for Qt's platform PlatformName, whether the compositor offers layer-shell (to a build
// that has layer-shell-qt) or not. On Wayland without it (Qt's Wayland platform chosen by the
// user) the strip is an ordinary window that cannot place itself, which the X11 way leaves as it
// is.
TDockingKind DockingKindFor(const QString& PlatformName, bool LayerShellOffered);

// The docking of Strip (Height pixels high) on the platform the application runs on. Made before
// the strip is first shown.
std::unique_ptr<TStripDocking> MakeStripDocking(QWidget* Strip, int Height);
