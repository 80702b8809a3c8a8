#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSystemTrayIcon>
#include <QWidget>

#include <xcb/xcb.h>

// One icon in an XEmbed notification area (freedesktop.org's system tray protocol): a small
// window of the program that the tray, the owner of the selection _NET_SYSTEM_TRAY_S<screen>,
// takes into its panel when asked to dock it. It shows its image over the panel's background
// and its tip, and reports presses as QSystemTrayIcon does: a left press as Trigger, a left
// double click as DoubleClick, right and middle presses as Context and MiddleClick.
//
// The program docks its icons itself rather than through QSystemTrayIcon: Qt takes XEmbed only
// when no StatusNotifierItem host is registered on the session bus, and that host may be showing
// another display's items.
class TXEmbedTrayIcon : public QWidget {
  Q_OBJECT
public:
  // Asks the tray whose manager window is Manager to dock the icon; with none (XCB_WINDOW_NONE,
  // or off X11) the icon shows nowhere. A tray that ends takes its icons with it: a new tray
  // needs new icons.
  explicit TXEmbedTrayIcon(xcb_window_t Manager);

  void SetImage(const QIcon& Image);

signals:
  void activated(QSystemTrayIcon::ActivationReason Reason);

protected:
  void paintEvent(QPaintEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  void moveEvent(QMoveEvent* Event) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void mouseDoubleClickEvent(QMouseEvent* Event) override;

private:
  QIcon Image;
  // Without a visual with alpha the window takes its parent's background, which is read back
  // once per size and place to paint the image over.
  bool Translucent = false;
  QPixmap Background;
};
