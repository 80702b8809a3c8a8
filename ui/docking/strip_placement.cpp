#include "docking/strip_placement.h"

#include <algorithm>
#include <cmath>

namespace {

bool Overlap(int First1, int Last1, int First2, int Last2) { return First1 <= Last2 && First2 <= Last1; }

// How deep into Monitor from Edge the other panels' bands at that edge reach, leaving room for a
// strip DeviceHeight high, and the monitor's work area where the window manager tells it. A band
// that ends outside the monitor belongs to another one (or is no panel's) and is left out.
int ReservedDepth(const TMonitor& Monitor, TDockEdge Edge, int DeviceHeight, const TScreenEdges& Others) {
  const QRect& Area = Monitor.Geometry;
  int Deepest = 0;
  const auto Consider = [&](int Depth) {
    if (Depth > 0 && Depth <= Area.height() - DeviceHeight) Deepest = std::max(Deepest, Depth);
  };
  for (const TStrut& Strut : Others.Reserved) {
    int Depth = 0;
    if (Edge == TDockEdge::Top && Strut.Top > 0 && Overlap(Strut.TopStartX, Strut.TopEndX, Area.left(), Area.right())) {
      Depth = Strut.Top - Area.top();
    } else if (Edge == TDockEdge::Bottom && Strut.Bottom > 0 &&
               Overlap(Strut.BottomStartX, Strut.BottomEndX, Area.left(), Area.right())) {
      Depth = Area.bottom() + 1 - (Others.Screen.height() - Strut.Bottom);
    }
    Consider(Depth);
  }
  // What a monitor's work area leaves out at that edge (a compositor's own panel among it).
  for (const QRect& WorkArea : Others.WorkAreas) {
    if (Area.contains(WorkArea))
      Consider(Edge == TDockEdge::Top ? WorkArea.top() - Area.top() : Area.bottom() - WorkArea.bottom());
  }
  return Deepest;
}

}  // namespace

std::optional<TMonitor> DockMonitor(const std::vector<TMonitor>& Monitors) {
  if (Monitors.empty()) return std::nullopt;
  const auto Primary = std::find_if(Monitors.begin(), Monitors.end(), [](const TMonitor& M) { return M.Primary; });
  return Primary != Monitors.end() ? *Primary : Monitors.front();
}

QRect StripPlacement(const TMonitor& Monitor, TDockEdge Edge, int Height, const TScreenEdges& Others) {
  const QRect& Area = Monitor.Geometry;
  const int DeviceHeight = static_cast<int>(std::lround(Height * Monitor.PixelRatio));
  const int Depth = ReservedDepth(Monitor, Edge, DeviceHeight, Others);
  const int Top = Edge == TDockEdge::Top ? Area.top() + Depth : Area.bottom() + 1 - Depth - DeviceHeight;
  return QRect(Area.left(), Top, Area.width(), DeviceHeight);
}

std::optional<TStrut> StripStrut(const QRect& Band, TDockEdge Edge, const std::vector<TMonitor>& Monitors,
                                 QSize Screen) {
  if (!QRect(QPoint(0, 0), Screen).contains(Band)) return std::nullopt;  // no strut reaches it
  // The screen between the strip and its edge, along the strip's length; on the strip's own
  // monitor that is only the panels' bands.
  const QRect Outside = Edge == TDockEdge::Top ? QRect(QPoint(Band.left(), 0), QPoint(Band.right(), Band.top() - 1))
                                               : QRect(QPoint(Band.left(), Band.bottom() + 1),
                                                       QPoint(Band.right(), Screen.height() - 1));
  for (const TMonitor& Monitor : Monitors) {
    if (!Monitor.Geometry.contains(Band) && Monitor.Geometry.intersects(Outside)) return std::nullopt;
  }
  TStrut Strut;
  if (Edge == TDockEdge::Top) {
    Strut.Top = Band.bottom() + 1;
    Strut.TopStartX = Band.left();
    Strut.TopEndX = Band.right();
  } else {
    Strut.Bottom = Screen.height() - Band.top();
    Strut.BottomStartX = Band.left();
    Strut.BottomEndX = Band.right();
  }
  return Strut;
}

bool NeedsDockWindow(const QRect& Band, TDockEdge Edge, const std::optional<QRect>& Placed) {
  if (!Placed || Placed->left() != Band.left()) return false;
  return Edge == TDockEdge::Top ? Placed->top() == Band.bottom() + 1 : Placed->bottom() == Band.top() - 1;
}
