#pragma once

#include <QByteArray>

#include <xcb/xcb.h>

#include <array>
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

// Sends a client message of Type with five 32-bit values about Window to Destination, and flushes.
// Mask names the events it is sent for (to whoever selected them on Destination); with none it
// goes to the client that made Destination.
void XcbSendClientMessage(xcb_connection_t* C, xcb_window_t Destination, uint32_t Mask, xcb_window_t Window,
                          xcb_atom_t Type, const std::array<uint32_t, 5>& Data);

// The event mask of a request to the window manager, sent to the root window.
constexpr uint32_t kXcbToWindowManager = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT;
