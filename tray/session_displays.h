#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <sys/types.h>

// The displays a process of the desktop session shows its windows on, as its environment names
// them: DISPLAY for X11, WAYLAND_DISPLAY for Wayland (a Wayland session has both when it runs
// XWayland). One session bus may serve several displays of the same user, a local desktop and a
// remote one, so whatever a program finds on the bus may belong to another display.
struct TSessionDisplays {
  QString X11;      // DISPLAY, empty when unset
  QString Wayland;  // WAYLAND_DISPLAY, empty when unset
};

// From an environment block: NUL-separated NAME=value entries.
TSessionDisplays DisplaysOfEnvironment(const QByteArray& Environment);

// The displays of the running process Pid (its environment as it was started); none when it
// cannot be read (no such process, another user's, another machine's).
std::optional<TSessionDisplays> DisplaysOfProcess(pid_t Pid);

// This program's displays.
TSessionDisplays DisplaysOfThisProcess();

// Whether two X11 display names name the same X server, as this machine's libxcb connects to
// them: ":1", ":1.0" and "unix/:1" do, and so do "unix:1" up to libxcb 1.15 and, from 1.16 on,
// "unix:/tmp/.X11-unix/X1" and "/tmp/.X11-unix/X1" while that socket exists; a screen number is
// no other server. Names that cannot be read (there) are no match.
bool SameX11Display(const QString& A, const QString& B);

// Whether the two share a display: the same X server or the same Wayland display.
bool ShareADisplay(const TSessionDisplays& A, const TSessionDisplays& B);
