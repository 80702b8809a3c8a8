#pragma once

#include <functional>

// Lets one copy of the program run per desktop session, whatever platform it runs on:
// - on an X display (X11, or XWayland in a Wayland session), an X selection per display and user;
// - in a Wayland session, and wherever this copy does not run on X, also a well-known name on the
//   session bus, named after the session's display, so that a copy running natively on Wayland
//   and one running through XWayland exclude each other too.
// Each is claimed atomically and goes with the process. Returns false when another copy holds
// one: that copy has been asked to show its strip, and this one is to end. Afterwards
// ShowRequested runs, on the event loop, whenever a later start asks this copy to show itself.
bool ClaimSingleInstance(const std::function<void()>& ShowRequested);
