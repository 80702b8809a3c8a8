// How the tray tells which display a process of the session shows on. (Its link to a session bus
// that restarts is shown end to end, in SessionBusTest of the program's suite, and on a bus of its
// own in session_bus_link_test.cpp.)
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "tray/session_displays.h"

namespace {

// A Unix socket bound at Path while it lives, as an X server's.
struct TSocketFile {
  const std::string Path;
  const int Socket = socket(AF_UNIX, SOCK_STREAM, 0);
  bool Bound = false;
  explicit TSocketFile(std::string At) : Path(std::move(At)) {
    sockaddr_un Address{};
    Address.sun_family = AF_UNIX;
    Path.copy(Address.sun_path, sizeof Address.sun_path - 1);
    Bound = bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof Address) == 0;
  }
  ~TSocketFile() {
    close(Socket);
    if (Bound) unlink(Path.c_str());
  }
};

TEST(SessionDisplays, X11NamesOfOneServerMatch) {
  // libxcb 1.16 and later read a name that starts with "unix:" or "/" as a socket path, a name
  // only while the socket exists.
  const bool Paths = XCB_READS_SOCKET_PATHS;
  const bool MadeSocketFolder = mkdir("/tmp/.X11-unix", 01777) == 0;
  {
    const TSocketFile Local("/tmp/.X11-unix/X791");
    const QTemporaryDir Folder;
    const TSocketFile Elsewhere(Folder.path().toStdString() + "/x11");
    ASSERT_TRUE(Local.Bound && Elsewhere.Bound);
    const std::string Path = Elsewhere.Path;
    const struct {
      std::string A;
      std::string B;
      bool Same;
    } Cases[] = {
        {":1", ":1", true},         {":1", ":1.0", true},  // a screen is no other server
        {":1", "unix:1", !Paths},   {":1.0", "unix/:1.2", true},
        {":791", "unix:/tmp/.X11-unix/X791", Paths},  // where the local display 791 listens
        {":791.0", "/tmp/.X11-unix/X791.1", Paths},
        {":792", "unix:/tmp/.X11-unix/X792", false},  // no such socket
        {"unix:" + Path, Path + ".1", Paths},       {"unix:" + Path, ":0", false},
        {":1", ":2", false},        {":1", ":10", false},
        {"localhost:1", ":1", false},  // over TCP, perhaps forwarded from elsewhere
        {"other:1", "other:1.0", true},
        {"", "", false},            {":1", "", false},
        {"1", "1", false},          // no display number: not a name
    };
    for (const auto& C : Cases) {
      const QString A = QString::fromStdString(C.A), B = QString::fromStdString(C.B);
      EXPECT_EQ(SameX11Display(A, B), C.Same) << C.A << " " << C.B;
      EXPECT_EQ(SameX11Display(B, A), C.Same) << C.B << " " << C.A;
    }
  }
  if (MadeSocketFolder) rmdir("/tmp/.X11-unix");
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
