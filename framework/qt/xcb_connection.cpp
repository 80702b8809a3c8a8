#include "qt/xcb_connection.h"

#include <QGuiApplication>

#include <algorithm>

xcb_connection_t* XcbConnection() {
  auto* X11 = qGuiApp != nullptr ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  return X11 != nullptr ? X11->connection() : nullptr;
}

xcb_atom_t XcbAtom(xcb_connection_t* C, const QByteArray& Name) {
  const auto Cookie = xcb_intern_atom(C, 0, static_cast<uint16_t>(Name.size()), Name.constData());
  XcbReply<xcb_intern_atom_reply_t> Reply(xcb_intern_atom_reply(C, Cookie, nullptr), &std::free);
  return Reply ? Reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

xcb_window_t XcbRootWindow(xcb_connection_t* C) {
  return xcb_setup_roots_iterator(xcb_get_setup(C)).data->root;
}

void XcbSendClientMessage(xcb_connection_t* C, xcb_window_t Destination, uint32_t Mask, xcb_window_t Window,
                          xcb_atom_t Type, const std::array<uint32_t, 5>& Data) {
  xcb_client_message_event_t Message{};
  Message.response_type = XCB_CLIENT_MESSAGE;
  Message.format = 32;
  Message.window = Window;
  Message.type = Type;
  std::copy(Data.begin(), Data.end(), Message.data.data32);
  xcb_send_event(C, 0, Destination, Mask, reinterpret_cast<const char*>(&Message));
  xcb_flush(C);
}
