#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

// The application's own X connection and the few lookups on it that the desktop helpers share.

// Qt's connection to the X server, or null when the application does not run on X11 (as on Qt's
// offscreen or Wayland platforms).
xcb_connection_t* XcbConnection();

// The atom of Name, made if it does not exist yet; XCB_ATOM_NONE if the server did not answer.
xcb_atom_t XcbAtom(xcb_connection_t* C, const QByteArray& Name);

// A reply of the X server, which xcb hands over to be freed with free().
template <class Reply>
using XcbReply = std::unique_ptr<Reply, decltype(&std::free)>;

// The root window of the connection's first screen.
xcb_window_t XcbRootWindow(xcb_connection_t* C);
