#pragma once

#include <QObject>
#include <QRect>
#include <QTimer>

#include <optional>
#include <vector>

// One monitor of the desktop.
struct TMonitor {
  QRect Geometry;         // in device pixels, on the whole virtual screen
  qreal PixelRatio = 1;   // device pixels per pixel of the program's own coordinates
  bool Primary = false;

  bool operator==(const TMonitor&) const = default;
};

// The monitors as they are now. On X11 they are RandR's monitors, with their exact device pixels
// and the primary flag; elsewhere, and on an X server without RandR 1.5, Qt's screens. Empty
// while no monitor is on.
std::vector<TMonitor> CurrentMonitors();

// A window's geometry in the program's own coordinates that covers Device, on Monitor: Qt keeps a
// monitor's origin where it is and scales what lies beyond it. The size is rounded down, so that
// Qt's own placing never asks for more than the monitor holds.
QRect LogicalGeometry(const QRect& Device, const TMonitor& Monitor);

// Places a top-level window at Device (in device pixels) on Monitor: Qt is given the geometry
// above, and on X11 the window is then configured to Device exactly, which the program's own
// coordinates cannot always express at a fractional scale factor. Call it again once a window
// has been shown: Qt places a window it maps at its own rounding of the geometry.
void PlaceWindow(class QWidget* Window, const QRect& Device, const TMonitor& Monitor);

// Where a top-level window lies now on the X screen, in device pixels, as the window manager has
// placed it; none off X11 or before the window exists.
std::optional<QRect> PlacedGeometry(class QWidget* Window);

// Tells of every change of the monitors: a monitor added or removed, the primary one changing, a
// resolution, rotation or scale change. A burst of changes is told once, when it has settled on
// the event loop's next turn.
class TMonitorWatch : public QObject {
  Q_OBJECT
public:
  explicit TMonitorWatch(QObject* Parent = nullptr);

signals:
  void Changed();

private:
  QTimer Settle;
  void Watch(class QScreen* Screen);
};
