// Where the strip docks, from a layout of monitors: device pixels for the window system and the
// program's own coordinates for Qt.
#include <gtest/gtest.h>

#include <string>

#include "strip_placement.h"

namespace {

TEST(StripPlacementTest, TheStripSpansThePrimaryMonitorAtItsEdge) {
  const TMonitor Plain{QRect(0, 0, 1280, 800), 1, true};
  const TMonitor Left{QRect(0, 0, 1024, 768), 1, false};
  const TMonitor RightPrimary{QRect(1024, 0, 1280, 800), 1, true};
  const TMonitor Upper{QRect(0, 0, 1280, 800), 1, false};
  const TMonitor LowerPrimary{QRect(0, 800, 1280, 800), 1, true};
  const TMonitor Scaled{QRect(0, 0, 1366, 768), 1.5, true};
  const TMonitor Double{QRect(1920, 0, 3840, 2160), 2, true};
  const struct {
    const char* What;
    std::vector<TMonitor> Monitors;
    TDockEdge Edge;
    QRect Device;
    QRect Logical;
  } Cases[] = {
      {"one monitor, top", {Plain}, TDockEdge::Top, QRect(0, 0, 1280, 38), QRect(0, 0, 1280, 38)},
      {"one monitor, bottom", {Plain}, TDockEdge::Bottom, QRect(0, 762, 1280, 38), QRect(0, 762, 1280, 38)},
      {"primary on the right", {Left, RightPrimary}, TDockEdge::Bottom, QRect(1024, 762, 1280, 38),
       QRect(1024, 762, 1280, 38)},
      {"primary below another", {Upper, LowerPrimary}, TDockEdge::Top, QRect(0, 800, 1280, 38),
       QRect(0, 800, 1280, 38)},
      {"primary below another, bottom", {Upper, LowerPrimary}, TDockEdge::Bottom, QRect(0, 1562, 1280, 38),
       QRect(0, 1562, 1280, 38)},
      {"none marked primary: the first", {Left, Upper}, TDockEdge::Bottom, QRect(0, 730, 1024, 38),
       QRect(0, 730, 1024, 38)},
      // 57 device rows end on the last one; 1366 / 1.5 pixels are not whole, and Qt gets less.
      {"scale 1.5, bottom", {Scaled}, TDockEdge::Bottom, QRect(0, 711, 1366, 57), QRect(0, 474, 910, 38)},
      {"scale 1.5, top", {Scaled}, TDockEdge::Top, QRect(0, 0, 1366, 57), QRect(0, 0, 910, 38)},
      // Qt keeps a monitor's origin and scales what lies beyond it.
      {"scale 2 away from the origin", {Upper, Double}, TDockEdge::Bottom, QRect(1920, 2084, 3840, 76),
       QRect(1920, 1042, 1920, 38)},
  };
  for (const auto& C : Cases) {
    const std::optional<TMonitor> Monitor = DockMonitor(C.Monitors);
    ASSERT_TRUE(Monitor) << C.What;
    const QRect Device = StripPlacement(*Monitor, C.Edge, 38);
    EXPECT_EQ(Device, C.Device) << C.What;
    EXPECT_EQ(LogicalGeometry(Device, *Monitor), C.Logical) << C.What;
  }
  EXPECT_FALSE(DockMonitor({}));  // no monitor on: nowhere to dock yet
}

}  // namespace
