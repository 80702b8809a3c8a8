#include "qt/window_activation.h"

#include <QCoreApplication>
#include <QWidget>

#include "qt/xcb_connection.h"

namespace {

// The newest user input's server time; 0 (CurrentTime) until one was seen.
xcb_timestamp_t LastUserTime = XCB_CURRENT_TIME;

constexpr uint32_t kSourcePager = 2;  // the request comes from the user, through a pager

void RequestActivation(xcb_connection_t* C, xcb_window_t Window) {
  // The third value is the requester's own active window: none of ours counts.
  XcbSendClientMessage(C, XcbRootWindow(C), kXcbToWindowManager, Window, XcbAtom(C, "_NET_ACTIVE_WINDOW"),
                       {kSourcePager, LastUserTime, XCB_NONE, 0, 0});
}

}  // namespace

void ActivateWindow(QWidget* Window) {
  if (Window == nullptr || !Window->isVisible()) return;
  Window->raise();
  Window->activateWindow();
  if (xcb_connection_t* C = XcbConnection()) RequestActivation(C, static_cast<xcb_window_t>(Window->winId()));
}

TUserTime::TUserTime() { QCoreApplication::instance()->installNativeEventFilter(this); }

TUserTime::~TUserTime() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TUserTime::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
  if (EventType != "xcb_generic_event_t") return false;
  const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
  switch (Event->response_type & 0x7F) {
    case XCB_KEY_PRESS:
    case XCB_KEY_RELEASE:
    case XCB_BUTTON_PRESS:
    case XCB_BUTTON_RELEASE:
      // Key and button events share their layout up to the time.
      LastUserTime = reinterpret_cast<const xcb_key_press_event_t*>(Event)->time;
      break;
    default:
      break;
  }
  return false;
}
