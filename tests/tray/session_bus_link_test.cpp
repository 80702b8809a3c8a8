// The tray's link to the session bus and its view of the notification-area watcher there, on a
// private bus of the test's own that stops answering, goes away and comes back.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>

#include "event_pump.h"
#include "session_bus_link.h"
#include "status_notifier_watch.h"

namespace {

TEST(SessionBusLink, FollowsTheBusBackAndTellsASilentWatcherFromNone) {
  QTemporaryDir Dir;
  const QString Address = "unix:path=" + Dir.path() + "/bus";
  qputenv("DBUS_SESSION_BUS_ADDRESS", Address.toUtf8());  // before the process's first connection
  QProcess Daemon;
  const auto Start = [&] {
    Daemon.start("dbus-daemon", {"--session", "--nofork", "--print-address", "--address=" + Address});
    ASSERT_TRUE(Daemon.waitForReadyRead(5000));
  };
  Start();
  TSessionBusLink Link(nullptr);
  TStatusNotifierWatch Watch(Link, nullptr);
  ASSERT_TRUE(Link.Connected());
  EXPECT_EQ(Watch.HostOnThisDisplay(), false);  // no watcher on the bus: no notification area
  kill(static_cast<pid_t>(Daemon.processId()), SIGSTOP);
  EXPECT_EQ(Watch.HostOnThisDisplay(), std::nullopt);  // no answer in time: not known, not none
  kill(static_cast<pid_t>(Daemon.processId()), SIGCONT);

  Daemon.terminate();
  ASSERT_TRUE(Daemon.waitForFinished(5000));
  PumpEvents(700);  // lost, then tried again in vain at 0.2 s and 0.6 s
  EXPECT_FALSE(Link.Connected());
  Start();
  for (int Waited = 0; Waited < 5000 && !Link.Connected(); Waited += 100) PumpEvents(100);
  EXPECT_TRUE(Link.Connected()) << "the retry after the third";
  EXPECT_EQ(Link.Connections(), 2);
  Daemon.terminate();
  Daemon.waitForFinished(5000);
}

}  // namespace
