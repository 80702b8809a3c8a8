// How the tray tells which display a process of the session shows on. (Its link to a session bus
// that restarts is shown end to end, in SessionBusTest of the program's suite, and on a bus of its
// own in session_bus_link_test.cpp.)
#include <gtest/gtest.h>

#include <unistd.h>

#include "session_displays.h"

namespace {

TEST(SessionDisplays, X11NamesOfOneServerMatch) {
  const struct {
    const char* A;
    const char* B;
    bool Same;
  } Cases[] = {
      {":1", ":1", true},         {":1", ":1.0", true},  // a screen is no other server
      {":1", "unix:1", true},     {":1.0", "unix/:1.2", true},
      {":1", ":2", false},        {":1", ":10", false},
      {"localhost:1", ":1", false},  // over TCP, perhaps forwarded from elsewhere
      {"other:1", "other:1.0", true},
      {"", "", false},            {":1", "", false},
      {"1", "1", false},          // no display number: not a name
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(SameX11Display(C.A, C.B), C.Same) << C.A << " " << C.B;
    EXPECT_EQ(SameX11Display(C.B, C.A), C.Same) << C.B << " " << C.A;
  }
}

TEST(SessionDisplays, AProcessSharesADisplayThroughX11OrWayland) {
  const TSessionDisplays XWaylandProgram{":0", "wayland-1"};
  const struct {
    TSessionDisplays Other;
    bool Shared;
  } Cases[] = {
      {{":0", ""}, true},            // an X11 panel
      {{"", "wayland-1"}, true},     // a Wayland panel of the same compositor
      {{":1", "wayland-2"}, false},  // another session of the user
      {{"", ""}, false},             // a process that names no display
  };
  for (const auto& C : Cases) {
    EXPECT_EQ(ShareADisplay(XWaylandProgram, C.Other), C.Shared) << C.Other.X11.toStdString();
  }
}

TEST(SessionDisplays, AreReadFromTheEnvironmentAProcessWasStartedWith) {
  const auto Own = DisplaysOfProcess(getpid());
  ASSERT_TRUE(Own.has_value());
  EXPECT_EQ(Own->X11, qEnvironmentVariable("DISPLAY"));
  EXPECT_FALSE(DisplaysOfProcess(0).has_value());

  const char Text[] = "HOME=/root\0XDISPLAY=:9\0DISPLAY=:3.0\0WAYLAND_DISPLAY=wayland-1";
  const QByteArray Block(Text, sizeof Text);
  const TSessionDisplays Read = DisplaysOfEnvironment(Block);
  EXPECT_EQ(Read.X11, ":3.0");
  EXPECT_EQ(Read.Wayland, "wayland-1");
}

}  // namespace
