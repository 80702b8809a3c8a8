#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <xcb/xcb.h>

// The XEmbed notification area of the screen: the client that owns the selection
// _NET_SYSTEM_TRAY_S<screen>. Reports each change of that owner (a tray started, ended or was
// replaced), which XFixes announces on the application's X connection. Off X11 there is never a
// tray and nothing is reported.
class TXEmbedTrayWatch : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT
public:
  explicit TXEmbedTrayWatch(QObject* Parent);
  ~TXEmbedTrayWatch() override;

  // The tray's manager window, the selection's owner now (asked of the X server, not
  // remembered); XCB_WINDOW_NONE without a tray.
  xcb_window_t Manager() const;
  bool Running() const { return Manager() != XCB_WINDOW_NONE; }
  // How many changes of the owner were reported so far. A tray that takes the selection anew,
  // with the same window too, has let go of the icons it held.
  int Changes() const { return Reported; }

  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

signals:
  void Changed();

private:
  xcb_atom_t Selection = XCB_ATOM_NONE;
  uint8_t SelectionNotify = 0;  // the event code of XFixes' selection notification; 0 without XFixes
  int Reported = 0;
};
