// The tray's link to the session bus and its view of the notification-area watcher there, on a
// private bus of the test's own that stops answering, goes away and comes back.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include <signal.h>

#include "event_pump.h"
#include "tray/session_bus_link.h"
#include "tray/status_notifier_watch.h"

TEST(SessionBusLink, FollowsTheBusBackAndTellsASilentWatcherFromNone) {
  QTemporaryDir Dir;
  const QString Address = "unix:path=" + Dir.path() + "/bus";
  qputenv("DBUS_SESSION_BUS_ADDRESS", Address.toUtf8());  // before the process's first connection
  QProcess Daemon;
  const QStringList Arguments{"--session", "--nofork", "--print-address", "--address=" + Address};
  Daemon.start("dbus-daemon", Arguments);
  ASSERT_TRUE(Daemon.waitForReadyRead(5000));
  TSessionBusLink Link(nullptr);
  TStatusNotifierWatch Watch(Link, nullptr);
  EXPECT_EQ(Watch.HostOnThisDisplay(), false);  // no watcher on the bus: no notification area
  kill(static_cast<pid_t>(Daemon.processId()), SIGSTOP);
  EXPECT_EQ(Watch.HostOnThisDisplay(), std::nullopt);  // no answer in time: not known, not none
  kill(static_cast<pid_t>(Daemon.processId()), SIGCONT);

  Daemon.terminate();
  Daemon.waitForFinished(5000);
  PumpEvents(700);  // lost, then tried again in vain at 0.2 s and 0.6 s
  Daemon.start("dbus-daemon", Arguments);
  ASSERT_TRUE(Daemon.waitForReadyRead(5000));
  for (int Waited = 0; Waited < 5000 && !Link.Connected(); Waited += 100) PumpEvents(100);
  EXPECT_EQ(Link.Connections(), 2) << "the bus is taken again after the third retry";
  Daemon.terminate();
  Daemon.waitForFinished(5000);
}
