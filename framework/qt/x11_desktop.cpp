#include "qt/x11_desktop.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>

namespace {

xcb_connection_t* Connection() {
  auto* X11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return X11 != nullptr ? X11->connection() : nullptr;
}

xcb_atom_t Atom(xcb_connection_t* C, const QByteArray& Name) {
  const auto Cookie = xcb_intern_atom(C, 0, static_cast<uint16_t>(Name.size()), Name.constData());
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> Reply(
      xcb_intern_atom_reply(C, Cookie, nullptr), &std::free);
  return Reply ? Reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t RootWindow(xcb_connection_t* C) {
  return xcb_setup_roots_iterator(xcb_get_setup(C)).data->root;
}

}  // namespace

bool ClaimSingleInstance(const QByteArray& Name) {
  xcb_connection_t* C = Connection();
  if (C == nullptr) return true;
  const xcb_atom_t Selection = Atom(C, Name);
  const xcb_window_t Owner = xcb_generate_id(C);
  xcb_create_window(C, XCB_COPY_FROM_PARENT, Owner, RootWindow(C), -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_grab_server(C);
  std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> Current(
      xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Selection), nullptr), &std::free);
  const bool Free = Current && Current->owner == XCB_NONE;
  if (Free) xcb_set_selection_owner(C, Owner, Selection, XCB_CURRENT_TIME);
  xcb_ungrab_server(C);
  if (!Free) xcb_destroy_window(C, Owner);
  xcb_flush(C);
  return Free;
}

void SetSkipTaskbar(QWidget* Window) {
  xcb_connection_t* C = Connection();
  if (C == nullptr) return;
  const auto Id = static_cast<xcb_window_t>(Window->winId());
  const xcb_atom_t State = Atom(C, "_NET_WM_STATE");
  const xcb_atom_t Skip[2] = {Atom(C, "_NET_WM_STATE_SKIP_TASKBAR"), Atom(C, "_NET_WM_STATE_SKIP_PAGER")};
  // Before mapping: the state the window manager reads at map time (Qt keeps atoms it does not
  // manage itself when it writes the property).
  xcb_change_property(C, XCB_PROP_MODE_APPEND, Id, State, XCB_ATOM_ATOM, 32, 2, Skip);
  // Once mapped: the request to the window manager.
  xcb_client_message_event_t Message{};
  Message.response_type = XCB_CLIENT_MESSAGE;
  Message.format = 32;
  Message.window = Id;
  Message.type = State;
  Message.data.data32[0] = 1;  // add
  Message.data.data32[1] = Skip[0];
  Message.data.data32[2] = Skip[1];
  Message.data.data32[3] = 1;  // from an application
  xcb_send_event(C, 0, RootWindow(C),
                 XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                 reinterpret_cast<const char*>(&Message));
  xcb_flush(C);
}

bool XDisplayReachable() {
  xcb_connection_t* C = xcb_connect(nullptr, nullptr);
  const bool Reached = xcb_connection_has_error(C) == 0;
  xcb_disconnect(C);
  return Reached;
}
