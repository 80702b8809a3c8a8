#include "strip_placement.h"

#include <algorithm>
#include <cmath>

std::optional<TMonitor> DockMonitor(const std::vector<TMonitor>& Monitors) {
  if (Monitors.empty()) return std::nullopt;
  const auto Primary = std::find_if(Monitors.begin(), Monitors.end(), [](const TMonitor& M) { return M.Primary; });
  return Primary != Monitors.end() ? *Primary : Monitors.front();
}

QRect StripPlacement(const TMonitor& Monitor, TDockEdge Edge, int Height) {
  const QRect& Area = Monitor.Geometry;
  const int DeviceHeight = static_cast<int>(std::lround(Height * Monitor.PixelRatio));
  const int Top = Edge == TDockEdge::Top ? Area.top() : Area.bottom() + 1 - DeviceHeight;
  return QRect(Area.left(), Top, Area.width(), DeviceHeight);
}
