#include "session_displays.h"

#include <QFile>

#include <xcb/xcb.h>

#include <cstdlib>

namespace {

// The host and display number of an X11 display name; the local host is "".
std::optional<std::pair<QByteArray, int>> X11Server(const QString& Name) {
  if (Name.isEmpty()) return std::nullopt;
  const QByteArray Text = Name.toLocal8Bit();
  char* Host = nullptr;
  int Display = 0;
  if (xcb_parse_display(Text.constData(), &Host, &Display, nullptr) == 0) return std::nullopt;
  QByteArray HostName(Host);
  std::free(Host);
  if (HostName == "unix") HostName.clear();  // the local socket, as with no host
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
