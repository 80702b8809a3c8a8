// How the tray tells which display a process of the session shows on, and its link to a session
// bus that restarts (a private dbus-daemon of the test at a fixed address).
#include <gtest/gtest.h>

#include <QDBusConnectionInterface>
#include <QProcess>
#include <QTemporaryDir>

#include <unistd.h>

#include "event_pump.h"
#include "session_bus_link.h"
#include "session_displays.h"

namespace {

template <class Condition>
bool PumpUntil(Condition Done, int TimeoutMs) {
  for (int Waited = 0; !Done(); Waited += 20) {
    if (Waited >= TimeoutMs) return false;
    PumpEvents(20);
  }
  return true;
}

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
  const char Text[] = "HOME=/root\0XDISPLAY=:9\0DISPLAY=:3.0\0WAYLAND_DISPLAY=wayland-1";
  const QByteArray Block(Text, sizeof Text);
  const TSessionDisplays Read = DisplaysOfEnvironment(Block);
  EXPECT_EQ(Read.X11, ":3.0");
  EXPECT_EQ(Read.Wayland, "wayland-1");

  QProcess Sleeper;
  QProcessEnvironment Environment;
  Environment.insert("DISPLAY", ":7");
  Sleeper.setProcessEnvironment(Environment);
  Sleeper.start("sleep", {"10"});
  ASSERT_TRUE(Sleeper.waitForStarted());
  const auto OfSleeper = DisplaysOfProcess(static_cast<pid_t>(Sleeper.processId()));
  Sleeper.kill();
  Sleeper.waitForFinished();
  ASSERT_TRUE(OfSleeper.has_value());
  EXPECT_EQ(OfSleeper->X11, ":7");
  EXPECT_EQ(OfSleeper->Wayland, "");
  EXPECT_FALSE(DisplaysOfProcess(0).has_value());
}

// A session bus of the test's own at a fixed path, which can be ended and started again there.
class PrivateBus {
  QTemporaryDir Folder;

public:
  PrivateBus() : Address("unix:path=" + Folder.path() + "/bus") {}
  ~PrivateBus() { Stop(); }
  const QString Address;

  void Start() {
    Daemon.start("dbus-daemon", {"--session", "--nofork", "--address", Address});
    ASSERT_TRUE(Daemon.waitForStarted());
    ASSERT_TRUE(PumpUntil([this] { return QFile::exists(Folder.path() + "/bus"); }, 5000));
  }
  void Stop() {
    Daemon.terminate();
    Daemon.waitForFinished();
    QFile::remove(Folder.path() + "/bus");
  }

private:
  QProcess Daemon;
};

TEST(SessionBusLink, ConnectsAgainWhenTheBusRestartsAtItsAddress) {
  PrivateBus Bus;
  const QByteArray OldAddress = qgetenv("DBUS_SESSION_BUS_ADDRESS");
  // libdbus reads the address once per process: no test before this one uses the session bus.
  qputenv("DBUS_SESSION_BUS_ADDRESS", Bus.Address.toUtf8());
  Bus.Start();
  {
    TSessionBusLink Link(nullptr);
    int Changes = 0;
    QObject::connect(&Link, &TSessionBusLink::Changed, [&] { ++Changes; });
    ASSERT_TRUE(Link.Connected());
    EXPECT_EQ(Link.Connections(), 1);

    Bus.Stop();
    EXPECT_TRUE(PumpUntil([&] { return Changes == 1; }, 5000));
    EXPECT_FALSE(Link.Connected());

    Bus.Start();
    EXPECT_TRUE(PumpUntil([&] { return Changes == 2; }, 5000));
    ASSERT_TRUE(Link.Connected());
    EXPECT_EQ(Link.Connections(), 2);
    // A working connection to the new bus.
    const auto Claimed = Link.Bus().interface()->registerService("org.vellox.Test");
    ASSERT_TRUE(Claimed.isValid());
    EXPECT_EQ(Claimed.value(), QDBusConnectionInterface::ServiceRegistered);
  }
  qputenv("DBUS_SESSION_BUS_ADDRESS", OldAddress);
}

}  // namespace
