#include "qt/x11_desktop.h"

#include <QWidget>

#include "qt/ewmh.h"
#include "qt/xcb_connection.h"

namespace {

constexpr uint32_t kAllDesktops = 0xFFFFFFFF;
constexpr uint32_t kStateAdd = 1;
constexpr uint32_t kSourceApplication = 1;

}  // namespace

void SetAccessoryWindowState(QWidget* Window) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  const auto Id = static_cast<xcb_window_t>(Window->winId());
  const uint32_t SkipTaskbar = XcbAtom(C, "_NET_WM_STATE_SKIP_TASKBAR");
  const uint32_t SkipPager = XcbAtom(C, "_NET_WM_STATE_SKIP_PAGER");
  const uint32_t Sticky = XcbAtom(C, "_NET_WM_STATE_STICKY");
  // Before mapping: the state the window manager reads at map time (Qt keeps atoms it does not
  // manage itself when it writes the property).
  const uint32_t States[] = {SkipTaskbar, SkipPager, Sticky};
  AppendProperty32(C, Id, XcbAtom(C, "_NET_WM_STATE"), XCB_ATOM_ATOM, States);
  const uint32_t Desktop[] = {kAllDesktops};
  SetProperty32(C, Id, XcbAtom(C, "_NET_WM_DESKTOP"), XCB_ATOM_CARDINAL, Desktop);
  // Once mapped: the requests to the window manager.
  RequestOfWindowManager(C, Id, "_NET_WM_STATE", {kStateAdd, SkipTaskbar, SkipPager, kSourceApplication, 0});
  RequestOfWindowManager(C, Id, "_NET_WM_STATE", {kStateAdd, Sticky, 0, kSourceApplication, 0});
  RequestOfWindowManager(C, Id, "_NET_WM_DESKTOP", {kAllDesktops, kSourceApplication, 0, 0, 0});
}

void SetDockWindowType(QWidget* Window) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  // In place of every type Qt wrote (the ordinary window's, and KDE's own override of it).
  const uint32_t Dock[] = {XcbAtom(C, "_NET_WM_WINDOW_TYPE_DOCK")};
  SetProperty32(C, static_cast<xcb_window_t>(Window->winId()), XcbAtom(C, "_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM,
                Dock);
}

bool XDisplayReachable() {
  xcb_connection_t* C = xcb_connect(nullptr, nullptr);
  const bool Reached = xcb_connection_has_error(C) == 0;
  xcb_disconnect(C);
  return Reached;
}
