#include "qt/struts.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <utility>

#include "qt/ewmh.h"
#include "qt/monitors.h"
#include "qt/xcb_connection.h"

namespace {

constexpr size_t kPartialItems = 12;
constexpr size_t kFullItems = 4;

std::vector<xcb_window_t> OwnWindows() {
  std::vector<xcb_window_t> Own;
  for (const QWindow* Window : QGuiApplication::allWindows()) {
    if (Window->handle() != nullptr) Own.push_back(static_cast<xcb_window_t>(Window->winId()));
  }
  return Own;
}

bool OwnWindow(xcb_window_t Window) {
  const std::vector<xcb_window_t> Own = OwnWindows();
  return std::find(Own.begin(), Own.end(), Window) != Own.end();
}

// The windows the window manager manages, but this program's.
std::vector<xcb_window_t> OtherClients(xcb_connection_t* C) {
  const std::vector<xcb_window_t> Own = OwnWindows();
  std::vector<xcb_window_t> Clients;
  for (const uint32_t Window : ReadProperty32(C, XcbRootWindow(C), XcbAtom(C, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW)) {
    if (std::find(Own.begin(), Own.end(), Window) == Own.end()) Clients.push_back(Window);
  }
  return Clients;
}

QSize RootSize(xcb_connection_t* C) {
  XcbReply<xcb_get_geometry_reply_t> Reply(
      xcb_get_geometry_reply(C, xcb_get_geometry(C, XcbRootWindow(C)), nullptr), &std::free);
  return Reply ? QSize(Reply->width, Reply->height) : QSize();
}

std::optional<TStrut> StrutOf(xcb_connection_t* C, xcb_window_t Window, QSize Screen) {
  const auto Value = [](uint32_t Item) { return static_cast<int>(std::min<uint32_t>(Item, 1u << 30)); };
  const std::vector<uint32_t> Partial =
      ReadProperty32(C, Window, XcbAtom(C, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL);
  if (Partial.size() >= kPartialItems) {
    return TStrut{Value(Partial[0]), Value(Partial[1]), Value(Partial[2]),  Value(Partial[3]),
                  Value(Partial[4]), Value(Partial[5]), Value(Partial[6]),  Value(Partial[7]),
                  Value(Partial[8]), Value(Partial[9]), Value(Partial[10]), Value(Partial[11])};
  }
  // The older form holds the whole length of each edge.
  const std::vector<uint32_t> Full = ReadProperty32(C, Window, XcbAtom(C, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL);
  if (Full.size() >= kFullItems) {
    const int LastX = Screen.width() - 1, LastY = Screen.height() - 1;
    return TStrut{Value(Full[0]), Value(Full[1]), Value(Full[2]), Value(Full[3]), 0, LastY, 0, LastY, 0, LastX, 0, LastX};
  }
  return std::nullopt;
}

// Whether any window of this program reserves space now.
bool OwnStrutSet(xcb_connection_t* C) {
  const std::vector<xcb_window_t> Own = OwnWindows();
  return std::any_of(Own.begin(), Own.end(), [C](xcb_window_t Window) {
    return !ReadProperty32(C, Window, XcbAtom(C, "_NET_WM_STRUT_PARTIAL"), XCB_ATOM_CARDINAL).empty() ||
           !ReadProperty32(C, Window, XcbAtom(C, "_NET_WM_STRUT"), XCB_ATOM_CARDINAL).empty();
  });
}

// The current workspace's work area of each monitor, where the window manager tells them.
std::vector<QRect> MonitorWorkAreas(xcb_connection_t* C) {
  const std::vector<uint32_t> Current =
      ReadProperty32(C, XcbRootWindow(C), XcbAtom(C, "_NET_CURRENT_DESKTOP"), XCB_ATOM_CARDINAL);
  const QByteArray Name = "_GTK_WORKAREAS_D" + QByteArray::number(Current.empty() ? 0 : Current.front());
  const std::vector<uint32_t> Items = ReadProperty32(C, XcbRootWindow(C), XcbAtom(C, Name), XCB_ATOM_CARDINAL);
  std::vector<QRect> Areas;
  for (size_t I = 0; I + 4 <= Items.size(); I += 4) {
    Areas.emplace_back(static_cast<int>(Items[I]), static_cast<int>(Items[I + 1]), static_cast<int>(Items[I + 2]),
                       static_cast<int>(Items[I + 3]));
  }
  return Areas;
}

}  // namespace

TScreenEdges CurrentScreenEdges() {
  TScreenEdges Edges;
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) {
    QRect Bounds;
    for (const TMonitor& Monitor : CurrentMonitors()) Bounds |= Monitor.Geometry;
    Edges.Screen = QSize(Bounds.right() + 1, Bounds.bottom() + 1);
    return Edges;
  }
  Edges.Screen = RootSize(C);
  for (const xcb_window_t Window : OtherClients(C)) {
    if (const std::optional<TStrut> Strut = StrutOf(C, Window, Edges.Screen)) Edges.Reserved.push_back(*Strut);
  }
  // Read while the strip's band is in none of them; the same until this program reserves nothing again.
  static std::vector<QRect> WorkAreas;
  if (!OwnStrutSet(C)) WorkAreas = MonitorWorkAreas(C);
  Edges.WorkAreas = WorkAreas;
  return Edges;
}

void SetStrut(QWidget* Window, const std::optional<TStrut>& Strut) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr || !Window->testAttribute(Qt::WA_WState_Created)) return;
  const auto Id = static_cast<xcb_window_t>(Window->winId());
  const xcb_atom_t Partial = XcbAtom(C, "_NET_WM_STRUT_PARTIAL");
  const xcb_atom_t Full = XcbAtom(C, "_NET_WM_STRUT");
  if (!Strut) {
    DeleteProperty(C, Id, Partial);
    DeleteProperty(C, Id, Full);
    return;
  }
  const TStrut& S = *Strut;
  const auto Item = [](int Value) { return static_cast<uint32_t>(std::max(Value, 0)); };
  const uint32_t PartialItems[kPartialItems] = {
      Item(S.Left),       Item(S.Right),     Item(S.Top),          Item(S.Bottom),
      Item(S.LeftStartY), Item(S.LeftEndY),  Item(S.RightStartY),  Item(S.RightEndY),
      Item(S.TopStartX),  Item(S.TopEndX),   Item(S.BottomStartX), Item(S.BottomEndX)};
  const uint32_t FullItems[kFullItems] = {Item(S.Left), Item(S.Right), Item(S.Top), Item(S.Bottom)};
  SetProperty32(C, Id, Partial, XCB_ATOM_CARDINAL, PartialItems);
  SetProperty32(C, Id, Full, XCB_ATOM_CARDINAL, FullItems);
}

TScreenEdgesWatch::TScreenEdgesWatch(QObject* Parent) : QObject(Parent) {
  Settle.setSingleShot(true);
  Settle.setInterval(0);
  connect(&Settle, &QTimer::timeout, this, [this] {
    ListenToClients();  // windows that came since
    TScreenEdges Now = CurrentScreenEdges();
    if (Now == Seen) return;
    Seen = std::move(Now);
    emit Changed();
  });
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  ClientList = XcbAtom(C, "_NET_CLIENT_LIST");
  StrutPartial = XcbAtom(C, "_NET_WM_STRUT_PARTIAL");
  StrutFull = XcbAtom(C, "_NET_WM_STRUT");
  QCoreApplication::instance()->installNativeEventFilter(this);
  ListenToClients();
}

TScreenEdgesWatch::~TScreenEdgesWatch() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

void TScreenEdgesWatch::ListenToClients() {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  std::vector<xcb_window_t> Windows = OtherClients(C);
  Windows.push_back(XcbRootWindow(C));
  for (const xcb_window_t Window : Windows) {
    // Event masks are the connection's, which Qt shares: what it listens for stays.
    XcbReply<xcb_get_window_attributes_reply_t> Attributes(
        xcb_get_window_attributes_reply(C, xcb_get_window_attributes(C, Window), nullptr), &std::free);
    if (!Attributes || (Attributes->your_event_mask & XCB_EVENT_MASK_PROPERTY_CHANGE) != 0) continue;
    const uint32_t Mask = Attributes->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
    // A window that is gone by now is no error worth reporting.
    std::free(xcb_request_check(C, xcb_change_window_attributes_checked(C, Window, XCB_CW_EVENT_MASK, &Mask)));
  }
}

bool TScreenEdgesWatch::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
  if (EventType != "xcb_generic_event_t") return false;
  const auto* Event = static_cast<const xcb_generic_event_t*>(Message);
  if ((Event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
  const auto* Property = static_cast<const xcb_property_notify_event_t*>(Message);
  // This program's own struts are left out: the strip writes its strut each time it docks, and
  // every write is told as a change, so following its own would dock it again without end.
  const bool Strut = Property->atom == StrutPartial || Property->atom == StrutFull;
  if (Property->atom == ClientList || (Strut && !OwnWindow(Property->window))) Settle.start();
  return false;
}
