// The Qt platform the strip starts on, from what start-up knows of the session.
#include <gtest/gtest.h>

#include "platform_decision.h"

namespace {

TEST(PlatformDecisionTest, LayerShellOnWaylandElseXWaylandUnlessTheUserChose) {
  const struct {
    const char* What;
    const char* Option;
    const char* Environment;
    bool Wayland, LayerShell, X;
    const char* Expected;
  } Cases[] = {
      {"X11 desktop", "", "", false, false, true, "xcb"},
      {"sway or labwc", "", "", true, true, true, "wayland"},
      {"sway without XWayland", "", "wayland", true, true, false, "wayland"},
      {"mutter: XWayland", "", "wayland", true, false, true, "xcb"},
      {"no layer-shell, no X: the environment's", "", "wayland", true, false, false, "wayland"},
      {"-platform wins", "offscreen", "xcb", true, true, true, "offscreen"},
      {"QT_QPA_PLATFORM=xcb keeps X11", "", "xcb", true, true, true, "xcb"},
      {"a list led by xcb", "", "xcb;wayland", true, true, true, "xcb;wayland"},
      {"a list led by wayland", "", "wayland;xcb", true, false, true, "xcb"},
      {"no display at all", "", "", false, false, false, ""},
  };
  for (const auto& C : Cases) {
    int Asked = 0;  // a compositor asked outside a Wayland session would be a stray connection
    TPlatformFacts Facts{C.Option, C.Environment, C.Wayland,
                         [&] { return ++Asked, C.LayerShell; }, [&] { return C.X; }};
    EXPECT_EQ(PlatformFor(Facts), C.Expected) << C.What;
    EXPECT_TRUE(C.Wayland || Asked == 0) << C.What;
  }
  // A build without layer-shell-qt asks no compositor.
  EXPECT_EQ(PlatformFor({"", "", true, nullptr, [] { return true; }}), "xcb");
}

}  // namespace
