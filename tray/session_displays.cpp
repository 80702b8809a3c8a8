#include "tray/session_displays.h"

#include <QFile>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// Where the local X server of a display number listens (besides its abstract socket).
constexpr char kLocalSocket[] = "/tmp/.X11-unix/X";

// The host and display number of an X11 display name as this machine's libxcb reads it; the
// local host is "". Up to libxcb 1.15 "unix:1" is display 1 on the local socket; from 1.16 on,
// a name that starts with "unix:" or "/" is a socket path (with an optional ".screen"), a name
// only while that socket exists, read as display 0 on a host that is the path.
std::optional<std::pair<QByteArray, int>> X11Server(const QString& Name) {
  if (Name.isEmpty()) return std::nullopt;
  const QByteArray Text = Name.toLocal8Bit();
  char* Host = nullptr;
  int Display = 0;
  if (xcb_parse_display(Text.constData(), &Host, &Display, nullptr) == 0) return std::nullopt;
  QByteArray HostName(Host);
  std::free(Host);
  if (HostName == "unix") HostName.clear();  // the local socket, as with no host
  if (HostName.startsWith(kLocalSocket)) {
    // where the local server of that display number listens: the server of ":N"
    bool Number = false;
    const int Local = HostName.mid(sizeof kLocalSocket - 1).toInt(&Number);
    if (Number) return std::make_pair(QByteArray(), Local);
  }
  return std::make_pair(HostName, Display);
}

}  // namespace

TSessionDisplays DisplaysOfEnvironment(const QByteArray& Environment) {
  TSessionDisplays Displays;
  for (const QByteArray& Entry : Environment.split('\0')) {
    if (Entry.startsWith("DISPLAY=")) Displays.X11 = QString::fromLocal8Bit(Entry.mid(8));
    if (Entry.startsWith("WAYLAND_DISPLAY=")) Displays.Wayland = QString::fromLocal8Bit(Entry.mid(16));
  }
  return Displays;
}

std::optional<TSessionDisplays> DisplaysOfProcess(pid_t Pid) {
  if (Pid <= 0) return std::nullopt;
  QFile Environment(QStringLiteral("/proc/%1/environ").arg(Pid));
  if (!Environment.open(QIODevice::ReadOnly)) return std::nullopt;
  return DisplaysOfEnvironment(Environment.readAll());
}

TSessionDisplays DisplaysOfThisProcess() {
  return {qEnvironmentVariable("DISPLAY"), qEnvironmentVariable("WAYLAND_DISPLAY")};
}

bool SameX11Display(const QString& A, const QString& B) {
  const auto First = X11Server(A);
  return First && First == X11Server(B);
}

bool ShareADisplay(const TSessionDisplays& A, const TSessionDisplays& B) {
  return SameX11Display(A.X11, B.X11) || (!A.Wayland.isEmpty() && A.Wayland == B.Wayland);
}
