#include "tray/xembed_tray_icon.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "qt/ewmh.h"
#include "qt/xcb_connection.h"

namespace {

constexpr uint32_t kSystemTrayRequestDock = 0;
constexpr uint32_t kXEmbedVersion = 0;
constexpr uint32_t kXEmbedMapped = 1;  // the embedder maps the window

// Whether the tray asks its icons for a visual with an alpha channel (_NET_SYSTEM_TRAY_VISUAL
// naming a 32-bit visual), so that they can be drawn translucent over the panel.
bool TrayVisualHasAlpha(xcb_connection_t* C, xcb_window_t Manager) {
  const std::vector<uint32_t> Visual =
      ReadProperty32(C, Manager, XcbAtom(C, "_NET_SYSTEM_TRAY_VISUAL"), XCB_ATOM_VISUALID);
  if (Visual.size() != 1) return false;
  for (auto Screen = xcb_setup_roots_iterator(xcb_get_setup(C)); Screen.rem > 0; xcb_screen_next(&Screen)) {
    for (auto Depth = xcb_screen_allowed_depths_iterator(Screen.data); Depth.rem > 0; xcb_depth_next(&Depth)) {
      for (auto Type = xcb_depth_visuals_iterator(Depth.data); Type.rem > 0; xcb_visualtype_next(&Type)) {
        if (Type.data->visual_id == Visual[0]) return Depth.data->depth == 32;
      }
    }
  }
  return false;
}

void RequestDock(xcb_connection_t* C, xcb_window_t Manager, xcb_window_t Icon) {
  const uint32_t Info[] = {kXEmbedVersion, kXEmbedMapped};
  const xcb_atom_t XEmbedInfo = XcbAtom(C, "_XEMBED_INFO");
  SetProperty32(C, Icon, XEmbedInfo, XEmbedInfo, Info);
  SendClientMessage(C, Manager, XCB_EVENT_MASK_NO_EVENT,
                    ClientMessage(Manager, XcbAtom(C, "_NET_SYSTEM_TRAY_OPCODE"),
                                  {XCB_CURRENT_TIME, kSystemTrayRequestDock, Icon, 0, 0}));
}

}  // namespace

TXEmbedTrayIcon::TXEmbedTrayIcon(xcb_window_t Manager)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::BypassWindowManagerHint) {
  setAttribute(Qt::WA_AlwaysShowToolTips);
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(22, 22);  // until the tray gives it its size
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr || Manager == XCB_WINDOW_NONE) return;
  Translucent = TrayVisualHasAlpha(C, Manager);
  setAttribute(Qt::WA_TranslucentBackground, Translucent);
  const auto Window = static_cast<xcb_window_t>(winId());
  if (!Translucent) {
    const uint32_t ParentRelative = XCB_BACK_PIXMAP_PARENT_RELATIVE;
    xcb_change_window_attributes(C, Window, XCB_CW_BACK_PIXMAP, &ParentRelative);
  }
  RequestDock(C, Manager, Window);
  show();
}

void TXEmbedTrayIcon::SetImage(const QIcon& Value) {
  Image = Value;
  update();
}

void TXEmbedTrayIcon::paintEvent(QPaintEvent*) {
  QPainter Painter(this);
  if (Translucent) {
    Painter.setCompositionMode(QPainter::CompositionMode_Source);
    Painter.fillRect(rect(), Qt::transparent);
    Painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  } else if (xcb_connection_t* C = XcbConnection()) {
    if (Background.isNull()) {
      // The server paints the cleared window with the panel behind it; that is the background.
      const auto Window = static_cast<xcb_window_t>(winId());
      xcb_clear_area(C, 0, Window, 0, 0, 0, 0);
      Background = screen()->grabWindow(winId(), 0, 0, width(), height());
    }
    Painter.drawPixmap(0, 0, Background);
  }
  Image.paint(&Painter, rect());
}

void TXEmbedTrayIcon::resizeEvent(QResizeEvent* Event) {
  Background = QPixmap();
  QWidget::resizeEvent(Event);
}

void TXEmbedTrayIcon::moveEvent(QMoveEvent* Event) {
  // Taken into the panel, or moved along it: another piece of the panel lies behind it.
  Background = QPixmap();
  update();
  QWidget::moveEvent(Event);
}

void TXEmbedTrayIcon::mousePressEvent(QMouseEvent* Event) {
  switch (Event->button()) {
    case Qt::LeftButton: emit activated(QSystemTrayIcon::Trigger); break;
    case Qt::RightButton: emit activated(QSystemTrayIcon::Context); break;
    case Qt::MiddleButton: emit activated(QSystemTrayIcon::MiddleClick); break;
    default: break;
  }
}

void TXEmbedTrayIcon::mouseDoubleClickEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::LeftButton) {
    emit activated(QSystemTrayIcon::DoubleClick);
  } else {
    mousePressEvent(Event);  // a second right or middle press is a press of its own
  }
}
