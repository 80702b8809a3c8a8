#include "tray/xembed_tray_watch.h"

#include <QCoreApplication>

#include <xcb/xfixes.h>

#include <cstdlib>
#include <memory>

#include "qt/xcb_connection.h"

namespace {

// The screen named in DISPLAY (":0.1" is screen 1), whose tray Qt docks its icons in.
int ScreenNumber() {
  int Screen = 0;
  char* Host = nullptr;
  int Display = 0;
  if (xcb_parse_display(nullptr, &Host, &Display, &Screen) != 0) std::free(Host);
  return Screen;
}

xcb_window_t RootOfScreen(xcb_connection_t* C, int Screen) {
  xcb_screen_iterator_t Roots = xcb_setup_roots_iterator(xcb_get_setup(C));
  for (int Index = 0; Index < Screen && Roots.rem > 1; ++Index) xcb_screen_next(&Roots);
  return Roots.data->root;
}

}  // namespace

TXEmbedTrayWatch::TXEmbedTrayWatch(QObject* Parent) : QObject(Parent) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  const int Screen = ScreenNumber();
  Selection = XcbAtom(C, "_NET_SYSTEM_TRAY_S" + QByteArray::number(Screen));
  const xcb_query_extension_reply_t* XFixes = xcb_get_extension_data(C, &xcb_xfixes_id);
  if (XFixes == nullptr || !XFixes->present) return;
  // The client announces the XFixes version it speaks before it asks for anything.
  XcbReply<xcb_xfixes_query_version_reply_t> Version(
      xcb_xfixes_query_version_reply(C, xcb_xfixes_query_version(C, 5, 0), nullptr), &std::free);
  if (!Version) return;
  SelectionNotify = XFixes->first_event + XCB_XFIXES_SELECTION_NOTIFY;
  QCoreApplication::instance()->installNativeEventFilter(this);
  xcb_xfixes_select_selection_input(C, RootOfScreen(C, Screen), Selection,
                                    XCB_XFIXES_SELECTION_EVENT_MASK_SET_SELECTION_OWNER |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_WINDOW_DESTROY |
                                        XCB_XFIXES_SELECTION_EVENT_MASK_SELECTION_CLIENT_CLOSE);
  xcb_flush(C);
}

TXEmbedTrayWatch::~TXEmbedTrayWatch() {
  if (SelectionNotify != 0 && QCoreApplication::instance() != nullptr)
    QCoreApplication::instance()->removeNativeEventFilter(this);
}

xcb_window_t TXEmbedTrayWatch::Manager() const {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr || Selection == XCB_ATOM_NONE) return XCB_WINDOW_NONE;
  XcbReply<xcb_get_selection_owner_reply_t> Owner(
      xcb_get_selection_owner_reply(C, xcb_get_selection_owner(C, Selection), nullptr), &std::free);
  return Owner ? Owner->owner : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

bool TXEmbedTrayWatch::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
  if (EventType != "xcb_generic_event_t") return false;
  const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
  if ((Event->response_type & 0x7f) != SelectionNotify) return false;
  const auto* Notify = static_cast<const xcb_xfixes_selection_notify_event_t*>(Message);
  // Qt watches other selections (the clipboard) through XFixes too: those are left to it.
  if (Notify->selection != Selection) return false;
  ++Reported;
  QMetaObject::invokeMethod(this, &TXEmbedTrayWatch::Changed, Qt::QueuedConnection);
  return false;
}
