#include "qt/monitors.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <xcb/randr.h>

#include "qt/ewmh.h"
#include "qt/xcb_connection.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>

namespace {

// The pixel ratio Qt gives the screen of that name (the primary one's when none has it).
qreal PixelRatioOf(const QString& Name) {
  for (const QScreen* Screen : QGuiApplication::screens()) {
    if (Screen->name() == Name) return Screen->devicePixelRatio();
  }
  const QScreen* Primary = QGuiApplication::primaryScreen();
  return Primary != nullptr ? Primary->devicePixelRatio() : 1;
}

QString AtomName(xcb_connection_t* C, xcb_atom_t Atom) {
  XcbReply<xcb_get_atom_name_reply_t> Reply(xcb_get_atom_name_reply(C, xcb_get_atom_name(C, Atom), nullptr),
                                         &std::free);
  if (!Reply) return {};
  return QString::fromLatin1(xcb_get_atom_name_name(Reply.get()), xcb_get_atom_name_name_length(Reply.get()));
}

// RandR's active monitors, or nothing when the server has no RandR 1.5.
std::optional<std::vector<TMonitor>> RandRMonitors(xcb_connection_t* C) {
  const xcb_query_extension_reply_t* Extension = xcb_get_extension_data(C, &xcb_randr_id);
  if (Extension == nullptr || !Extension->present) return std::nullopt;
  XcbReply<xcb_randr_query_version_reply_t> Version(
      xcb_randr_query_version_reply(C, xcb_randr_query_version(C, 1, 5), nullptr), &std::free);
  if (!Version || (Version->major_version == 1 && Version->minor_version < 5)) return std::nullopt;
  XcbReply<xcb_randr_get_monitors_reply_t> Reply(
      xcb_randr_get_monitors_reply(C, xcb_randr_get_monitors(C, XcbRootWindow(C), 1), nullptr), &std::free);
  if (!Reply) return std::nullopt;
  std::vector<TMonitor> Monitors;
  for (auto It = xcb_randr_get_monitors_monitors_iterator(Reply.get()); It.rem != 0; xcb_randr_monitor_info_next(&It)) {
    const xcb_randr_monitor_info_t* Info = It.data;
    if (Info->width == 0 || Info->height == 0) continue;
    Monitors.push_back({QRect(Info->x, Info->y, Info->width, Info->height), PixelRatioOf(AtomName(C, Info->name)),
                        Info->primary != 0});
  }
  return Monitors;
}

std::vector<TMonitor> QtScreens() {
  std::vector<TMonitor> Monitors;
  for (const QScreen* Screen : QGuiApplication::screens()) {
    const QRect Logical = Screen->geometry();
    if (Logical.isEmpty()) continue;
    const qreal Ratio = Screen->devicePixelRatio();
    Monitors.push_back({QRect(Logical.topLeft(), (QSizeF(Logical.size()) * Ratio).toSize()), Ratio,
                        Screen == QGuiApplication::primaryScreen()});
  }
  return Monitors;
}

// At a fractional scale factor Qt asks the window manager for sizes in steps of its own pixels
// (resize increments in WM_NORMAL_HINTS: 2 device pixels at 1.5), and the window manager rounds
// the exact device size to such a step, leaving a row uncovered. The steps are dropped. A height
// the window fixes (least and greatest the same) is fixed at the exact device height, which Qt's
// own rounding of the scaled height can miss by a pixel.
void FitSizeHints(xcb_connection_t* C, xcb_window_t Window, int DeviceHeight) {
  constexpr uint32_t kMinSize = 1u << 4;           // PMinSize
  constexpr uint32_t kMaxSize = 1u << 5;           // PMaxSize
  constexpr uint32_t kResizeIncrements = 1u << 6;  // PResizeInc
  constexpr uint32_t kBaseSize = 1u << 8;          // PBaseSize
  constexpr size_t kMinHeight = 6, kMaxHeight = 8;  // the fields' places in WM_SIZE_HINTS
  std::vector<uint32_t> Hints = ReadProperty32(C, Window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS);
  if (Hints.size() <= kMaxHeight) return;
  const std::vector<uint32_t> Before = Hints;
  Hints[0] &= ~(kResizeIncrements | kBaseSize);
  const bool HeightFixed = (Hints[0] & (kMinSize | kMaxSize)) == (kMinSize | kMaxSize) && Hints[kMinHeight] == Hints[kMaxHeight];
  if (HeightFixed) Hints[kMinHeight] = Hints[kMaxHeight] = static_cast<uint32_t>(DeviceHeight);
  if (Hints != Before) SetProperty32(C, Window, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, Hints);
}

// Where a window lies on the X screen, in device pixels, whatever frame the window manager put
// it in.
std::optional<QRect> RootGeometry(xcb_connection_t* C, xcb_window_t Id) {
  const xcb_get_geometry_cookie_t Size = xcb_get_geometry(C, Id);
  const xcb_translate_coordinates_cookie_t Origin = xcb_translate_coordinates(C, Id, XcbRootWindow(C), 0, 0);
  XcbReply<xcb_get_geometry_reply_t> SizeReply(xcb_get_geometry_reply(C, Size, nullptr), &std::free);
  XcbReply<xcb_translate_coordinates_reply_t> OriginReply(xcb_translate_coordinates_reply(C, Origin, nullptr),
                                                          &std::free);
  if (!SizeReply || !OriginReply) return std::nullopt;
  return QRect(OriginReply->dst_x, OriginReply->dst_y, SizeReply->width, SizeReply->height);
}

// Whether the window is on screen (the window manager has mapped it) at Device exactly. Before
// that the window manager has yet to place it, and the program's wish is still to be told.
bool ShownAt(xcb_connection_t* C, xcb_window_t Id, const QRect& Device) {
  XcbReply<xcb_get_window_attributes_reply_t> Attributes(
      xcb_get_window_attributes_reply(C, xcb_get_window_attributes(C, Id), nullptr), &std::free);
  return Attributes && Attributes->map_state == XCB_MAP_STATE_VIEWABLE && RootGeometry(C, Id) == Device;
}

}  // namespace

std::vector<TMonitor> CurrentMonitors() {
  if (xcb_connection_t* C = XcbConnection()) {
    if (auto Monitors = RandRMonitors(C)) return *Monitors;
  }
  return QtScreens();
}

QRect LogicalGeometry(const QRect& Device, const TMonitor& Monitor) {
  const QPoint Origin = Monitor.Geometry.topLeft();
  const qreal Ratio = Monitor.PixelRatio;
  const QPointF Offset = QPointF(Device.topLeft() - Origin) / Ratio;
  return QRect(Origin + QPoint(static_cast<int>(std::lround(Offset.x())), static_cast<int>(std::lround(Offset.y()))),
               QSize(static_cast<int>(Device.width() / Ratio), static_cast<int>(Device.height() / Ratio)));
}

void PlaceWindow(QWidget* Window, const QRect& Device, const TMonitor& Monitor) {
  const QRect Logical = LogicalGeometry(Device, Monitor);
  // Qt asks the window manager for a new geometry of its own rounding only when it changes.
  const bool QtAsks = Window->geometry() != Logical;
  Window->setGeometry(Logical);
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr || !Window->testAttribute(Qt::WA_WState_Created)) return;
  const auto Id = static_cast<xcb_window_t>(Window->winId());
  FitSizeHints(C, Id, Device.height());
  // A shown window already at Device is left alone: sway answers every configure request of a
  // floating X11 window, even one that changes nothing, by centring the window on its output,
  // which would undo the place its rules gave the strip. After Qt has asked, the exact request
  // always follows: the window manager may not have carried out Qt's yet, and would afterwards.
  if (!QtAsks && ShownAt(C, Id, Device)) return;
  const uint16_t Mask = XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT;
  const uint32_t Values[] = {static_cast<uint32_t>(Device.x()), static_cast<uint32_t>(Device.y()),
                             static_cast<uint32_t>(Device.width()), static_cast<uint32_t>(Device.height())};
  xcb_configure_window(C, Id, Mask, Values);
  xcb_flush(C);
}

std::optional<QRect> PlacedGeometry(QWidget* Window) {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr || !Window->testAttribute(Qt::WA_WState_Created)) return std::nullopt;
  return RootGeometry(C, static_cast<xcb_window_t>(Window->winId()));
}

TMonitorWatch::TMonitorWatch(QObject* Parent) : QObject(Parent) {
  Settle.setSingleShot(true);
  Settle.setInterval(0);
  connect(&Settle, &QTimer::timeout, this, &TMonitorWatch::Changed);
  connect(qGuiApp, &QGuiApplication::primaryScreenChanged, &Settle, qOverload<>(&QTimer::start));
  connect(qGuiApp, &QGuiApplication::screenRemoved, &Settle, qOverload<>(&QTimer::start));
  connect(qGuiApp, &QGuiApplication::screenAdded, this, [this](QScreen* Screen) {
    Watch(Screen);
    Settle.start();
  });
  for (QScreen* Screen : QGuiApplication::screens()) Watch(Screen);
}

void TMonitorWatch::Watch(QScreen* Screen) {
  connect(Screen, &QScreen::geometryChanged, &Settle, qOverload<>(&QTimer::start));
  connect(Screen, &QScreen::logicalDotsPerInchChanged, &Settle, qOverload<>(&QTimer::start));
  connect(Screen, &QScreen::physicalDotsPerInchChanged, &Settle, qOverload<>(&QTimer::start));
  connect(Screen, &QScreen::orientationChanged, &Settle, qOverload<>(&QTimer::start));
}
