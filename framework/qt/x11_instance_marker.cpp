#include "qt/x11_instance_marker.h"

#include <QCoreApplication>

#include <cstdlib>
#include <memory>

#include "qt/xcb_connection.h"

namespace {

constexpr const char* kShowRequest = "_VELLOX_SHOW_STRIP";

}  // namespace

TX11InstanceMarker::TX11InstanceMarker(QByteArray MarkerName) : Name(std::move(MarkerName)) {}

TX11InstanceMarker::~TX11InstanceMarker() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

TX11InstanceMarker::TClaim TX11InstanceMarker::Claim() {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return TClaim::NoDisplay;
  const xcb_atom_t Selection = XcbAtom(C, Name);
  ShowRequest = XcbAtom(C, kShowRequest);
  const xcb_window_t Window = xcb_generate_id(C);
  xcb_create_window(C, XCB_COPY_FROM_PARENT, Window, XcbRootWindow(C), -1, -1, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
  xcb_grab_server(C);
  XcbReply<xcb_get_selection_owner_reply_t> Current(
      xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Selection), nullptr), &std::free);
  const xcb_window_t Holder = Current ? Current->owner : xcb_window_t{XCB_WINDOW_NONE};
  if (Holder == XCB_WINDOW_NONE) xcb_set_selection_owner(C, Window, Selection, XCB_CURRENT_TIME);
  xcb_ungrab_server(C);

  if (Holder != XCB_WINDOW_NONE) {
    xcb_destroy_window(C, Window);
    // With no event mask the message goes to the client that made the owner window: the copy
    // that holds the marker.
    XcbSendClientMessage(C, Holder, XCB_EVENT_MASK_NO_EVENT, Holder, ShowRequest, {});
    return TClaim::HeldElsewhere;
  }
  Owner = Window;
  QCoreApplication::instance()->installNativeEventFilter(this);
  xcb_flush(C);
  return TClaim::Claimed;
}

bool TX11InstanceMarker::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
  if (EventType != "xcb_generic_event_t") return false;
  const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
  if ((Event->response_type & 0x7f) != XCB_CLIENT_MESSAGE) return false;
  const auto* Client = static_cast<const xcb_client_message_event_t*>(Message);
  if (Client->window != Owner || Client->type != ShowRequest) return false;
  // Run once Qt is done with this event, like any other handler.
  QMetaObject::invokeMethod(
      QCoreApplication::instance(), [this] { if (OnShowRequested) OnShowRequested(); }, Qt::QueuedConnection);
  return true;
}
