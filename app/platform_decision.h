#pragma once

#include <functional>
#include <string>

// What start-up knows of the session before Qt starts. The two questions that need a connection
// (to the compositor, to the X server) are asked only when the answer matters.
struct TPlatformFacts {
  std::string Option;           // Qt's own option "-platform NAME", empty without it
  std::string Environment;      // QT_QPA_PLATFORM, empty when unset
  bool WaylandSession = false;  // WAYLAND_DISPLAY names a compositor
  // This build docks as a layer surface, and the compositor offers wlr-layer-shell.
  std::function<bool()> LayerShellOffered;
  std::function<bool()> XDisplayReachable;  // DISPLAY names an X server that answers
};

// The Qt platform the strip starts on; empty when there is none to start on. Qt's -platform option
// is the user's choice, and so is QT_QPA_PLATFORM naming xcb. Otherwise a Wayland session whose
// compositor docks panels through layer-shell gets Qt's Wayland platform; else an X display that
// answers (XWayland in a Wayland session) gets xcb, where the strip docks itself and stays above
// other windows, even where QT_QPA_PLATFORM names another platform for Qt programs in general;
// without one the environment's platform stands.
std::string PlatformFor(const TPlatformFacts& Facts);
