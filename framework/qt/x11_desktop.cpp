#include "qt/x11_desktop.h"

#include <QWidget>

#include "qt/xcb_connection.h"

void SetSkipTaskbar(QWidget* Window) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  const auto Id = static_cast<xcb_window_t>(Window->winId());
  const xcb_atom_t State = XcbAtom(C, "_NET_WM_STATE");
  const xcb_atom_t Skip[2] = {XcbAtom(C, "_NET_WM_STATE_SKIP_TASKBAR"), XcbAtom(C, "_NET_WM_STATE_SKIP_PAGER")};
  // Before mapping: the state the window manager reads at map time (Qt keeps atoms it does not
  // manage itself when it writes the property).
  xcb_change_property(C, XCB_PROP_MODE_APPEND, Id, State, XCB_ATOM_ATOM, 32, 2, Skip);
  // Once mapped: the request to the window manager to add (1) both states, from an application (1).
  XcbSendClientMessage(C, XcbRootWindow(C), kXcbToWindowManager, Id, State, {1, Skip[0], Skip[1], 1, 0});
}

bool XDisplayReachable() {
  xcb_connection_t* C = xcb_connect(nullptr, nullptr);
  const bool Reached = xcb_connection_has_error(C) == 0;
  xcb_disconnect(C);
  return Reached;
}
