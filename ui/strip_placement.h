#pragma once

#include <QRect>

#include <optional>
#include <vector>

#include "qt/monitors.h"

enum class TDockEdge { Top, Bottom };

// The monitor the strip docks on: the primary one, or the first when none is marked primary;
// none while no monitor is on.
std::optional<TMonitor> DockMonitor(const std::vector<TMonitor>& Monitors);

// Where the strip lies on Monitor, in device pixels: as wide as the monitor, Height pixels of the
// program's coordinates high, against its top or bottom edge, so that at any scale factor the
// strip covers the monitor's first or last row of device pixels.
QRect StripPlacement(const TMonitor& Monitor, TDockEdge Edge, int Height);
