#pragma once

#include <QRect>

#include <optional>
#include <vector>

#include "qt/monitors.h"
#include "qt/struts.h"

enum class TDockEdge { Top, Bottom };

// The monitor the strip docks on: the primary one, or the first when none is marked primary;
// none while no monitor is on.
std::optional<TMonitor> DockMonitor(const std::vector<TMonitor>& Monitors);

// Where the strip lies on Monitor, in device pixels: as wide as the monitor, Height pixels of the
// program's coordinates high, against its top or bottom edge, so that at any scale factor the
// strip covers the monitor's first or last row of device pixels. Where other panels reserve a band
// at that edge of the monitor (Others), the strip lies against the inner side of the deepest band
// instead, beside those panels and never over them.
QRect StripPlacement(const TMonitor& Monitor, TDockEdge Edge, int Height, const TScreenEdges& Others = {});

// What the strip lying at Band against Edge reserves, as a panel there does: the screen from that
// edge to the strip's inner side, along the strip's length, so that maximised windows stop at the
// strip. Nothing when another monitor lies between the strip and the screen's edge: a strut is
// measured from the screen's edge and would take that monitor's space too. Nothing either for a
// monitor that lies beyond the X screen, whose size is Screen.
std::optional<TStrut> StripStrut(const QRect& Band, TDockEdge Edge, const std::vector<TMonitor>& Monitors, QSize Screen);

// Whether the strip, an ordinary window asked to lie at Band against Edge, has to become a dock
// window to lie there: the window manager put it (Placed) just clear of the band, on its inner
// side, as one does that keeps ordinary windows inside the work area, from which the strip's own
// strut has already taken the band (mutter, metacity). A window manager that lets it lie at Band,
// one that places it by rules of its own (sway), or a placement not known (off X11) needs none.
bool NeedsDockWindow(const QRect& Band, TDockEdge Edge, const std::optional<QRect>& Placed);
