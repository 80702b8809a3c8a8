// Where the strip docks, from a layout of monitors: device pixels for the window system and the
// program's own coordinates for Qt.
#include <gtest/gtest.h>

#include <string>

#include "docking/strip_placement.h"
#include "printers.h"

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

// Beside other panels: the strip lies inside the bands they reserve at its edge of its monitor,
// and reserves from the screen's edge to its own inner side, along its own length.
TEST(StripPlacementTest, TheStripDocksBesidePanelsAndReservesItsBand) {
  const TMonitor Plain{QRect(0, 0, 1366, 768), 1, true};
  const TMonitor Left{QRect(0, 0, 1024, 768), 1, false};
  const TMonitor RightPrimary{QRect(1024, 0, 1280, 1024), 1, true};
  const TMonitor Upper{QRect(0, 0, 1280, 800), 1, false};
  const TMonitor LowerPrimary{QRect(0, 800, 1280, 800), 1, true};
  const TMonitor Scaled{QRect(0, 0, 1366, 768), 1.5, true};
  const TMonitor LeftPrimary{Left.Geometry, 1, true};
  const TStrut Tint2Bottom{.Bottom = 30, .BottomEndX = 1365};   // tint2, 30 pixels at the bottom
  const TStrut XfceTop{.Top = 27, .TopEndX = 1365};              // the Xfce panel at the top
  const TStrut ThinTop{.Top = 12, .TopEndX = 1365};
  const TStrut LeftMonitorTop{.Top = 40, .TopEndX = 1023};       // on the left monitor only
  const TStrut WholeLeftEdge{.Left = 48, .LeftEndY = 767};       // nothing at the top or bottom
  const TStrut Huge{.Bottom = 740, .BottomEndX = 1365};          // leaves no room: no panel's
  const TStrut UpperMonitorBottom{.Bottom = 830, .BottomEndX = 1279};  // the upper monitor's
  const TMonitor LowerRightPrimary{QRect(1024, 256, 1280, 768), 1, true};
  const TStrut LowerMonitorTop{.Top = 286, .TopStartX = 1024, .TopEndX = 2303};  // 30 below its top
  const auto Top = [](int Depth, int First, int Last) {
    return std::optional<TStrut>(TStrut{.Top = Depth, .TopStartX = First, .TopEndX = Last});
  };
  const auto Bottom = [](int Depth, int First, int Last) {
    return std::optional<TStrut>(TStrut{.Bottom = Depth, .BottomStartX = First, .BottomEndX = Last});
  };
  const struct {
    const char* What;
    std::vector<TMonitor> Monitors;
    QSize Screen;
    std::vector<TStrut> Reserved;
    TDockEdge Edge;
    QRect Band;
    std::optional<TStrut> Strut;
    // Where the window manager put the strip, when known, and whether it must be a dock window.
    std::optional<QRect> Placed = std::nullopt;
    bool Dock = false;
    std::vector<QRect> WorkAreas = {};  // as the window manager tells them
  } Cases[] = {
      {"no panel, top", {Plain}, {1366, 768}, {}, TDockEdge::Top, QRect(0, 0, 1366, 38), Top(38, 0, 1365)},
      {"no panel, bottom", {Plain}, {1366, 768}, {}, TDockEdge::Bottom, QRect(0, 730, 1366, 38),
       Bottom(38, 0, 1365)},
      {"above tint2", {Plain}, {1366, 768}, {Tint2Bottom}, TDockEdge::Bottom, QRect(0, 700, 1366, 38),
       Bottom(68, 0, 1365)},
      {"tint2 at the other edge", {Plain}, {1366, 768}, {Tint2Bottom}, TDockEdge::Top, QRect(0, 0, 1366, 38),
       Top(38, 0, 1365)},
      {"below the Xfce panel, the deeper band wins", {Plain}, {1366, 768}, {XfceTop, ThinTop},
       TDockEdge::Top, QRect(0, 27, 1366, 38), Top(65, 0, 1365)},
      {"a panel along the left edge", {Plain}, {1366, 768}, {WholeLeftEdge}, TDockEdge::Bottom,
       QRect(0, 730, 1366, 38), Bottom(38, 0, 1365)},
      {"a band that leaves no room", {Plain}, {1366, 768}, {Huge}, TDockEdge::Bottom, QRect(0, 730, 1366, 38),
       Bottom(38, 0, 1365)},
      {"the other monitor's panel", {Left, RightPrimary}, {2304, 1024}, {LeftMonitorTop}, TDockEdge::Top,
       QRect(1024, 0, 1280, 38), Top(38, 1024, 2303)},
      // Below the shorter left monitor lies no monitor: the strut may cross that dead space.
      {"the taller monitor's bottom", {Left, RightPrimary}, {2304, 1024}, {}, TDockEdge::Bottom,
       QRect(1024, 986, 1280, 38), Bottom(38, 1024, 2303)},
      {"the shorter monitor's bottom", {LeftPrimary, RightPrimary},
       {2304, 1024}, {}, TDockEdge::Bottom, QRect(0, 730, 1024, 38), Bottom(294, 0, 1023)},
      // A strut from the screen's top would take the whole upper monitor.
      {"stacked, top of the lower monitor", {Upper, LowerPrimary}, {1280, 1600}, {}, TDockEdge::Top,
       QRect(0, 800, 1280, 38), std::nullopt},
      {"stacked, bottom of the lower monitor", {Upper, LowerPrimary}, {1280, 1600}, {UpperMonitorBottom},
       TDockEdge::Bottom, QRect(0, 1562, 1280, 38), Bottom(38, 0, 1279)},
      {"a top panel on the lower monitor", {Left, LowerRightPrimary}, {2304, 1024}, {LowerMonitorTop},
       TDockEdge::Top, QRect(1024, 286, 1280, 38), Top(324, 1024, 2303)},
      // RandR monitors may be set beyond the X screen: no strut can reach there.
      {"beyond the screen", {Upper, LowerPrimary}, {1280, 800}, {}, TDockEdge::Bottom, QRect(0, 1562, 1280, 38),
       std::nullopt},
      {"scale 1.5 above tint2", {Scaled}, {1366, 768}, {Tint2Bottom}, TDockEdge::Bottom, QRect(0, 681, 1366, 57),
       Bottom(87, 0, 1365)},
      // mutter and metacity keep an ordinary window inside the work area, which lacks the band.
      {"kept below its own band", {Plain}, {1366, 768}, {}, TDockEdge::Top, QRect(0, 0, 1366, 38), Top(38, 0, 1365),
       QRect(0, 38, 1366, 38), true},
      {"kept above its own band, above tint2", {Plain}, {1366, 768}, {Tint2Bottom}, TDockEdge::Bottom,
       QRect(0, 700, 1366, 38), Bottom(68, 0, 1365), QRect(0, 662, 1366, 38), true},
      {"let lie in its band below the Xfce panel", {Plain}, {1366, 768}, {XfceTop}, TDockEdge::Top,
       QRect(0, 27, 1366, 38), Top(65, 0, 1365), QRect(0, 27, 1366, 38), false},
      // GNOME Shell's top bar reserves no strut; the work area of its monitor leaves it out.
      {"below GNOME Shell's top bar", {Plain}, {1366, 768}, {}, TDockEdge::Top, QRect(0, 32, 1366, 38),
       Top(70, 0, 1365), QRect(0, 70, 1366, 38), true, {QRect(0, 32, 1366, 736)}},
      {"the other monitor's work area", {Left, RightPrimary}, {2304, 1024}, {}, TDockEdge::Top,
       QRect(1024, 0, 1280, 38), Top(38, 1024, 2303), std::nullopt, false,
       {QRect(0, 40, 1024, 728), QRect(1024, 0, 1280, 1024)}},
      {"floated at the top by a rule of sway's", {Plain}, {1366, 768}, {}, TDockEdge::Bottom, QRect(0, 730, 1366, 38),
       Bottom(38, 0, 1365), QRect(0, 0, 1366, 38), false},
  };
  for (const auto& C : Cases) {
    const TMonitor Monitor = *DockMonitor(C.Monitors);
    const QRect Band = StripPlacement(Monitor, C.Edge, 38, TScreenEdges{C.Screen, C.Reserved, C.WorkAreas});
    EXPECT_EQ(Band, C.Band) << C.What;
    EXPECT_EQ(StripStrut(Band, C.Edge, C.Monitors, C.Screen), C.Strut) << C.What;
    EXPECT_EQ(NeedsDockWindow(Band, C.Edge, C.Placed), C.Dock) << C.What;
  }
}

}  // namespace
