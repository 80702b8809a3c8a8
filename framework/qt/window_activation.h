#pragma once

#include <QAbstractNativeEventFilter>

class QWidget;

// Makes a window of the program the active one, with the keyboard focus, the way a panel does
// when the user picks a window in it: the window is raised and activated by Qt, and the window
// manager is asked with an EWMH _NET_ACTIVE_WINDOW request from a pager, stamped with the time of
// the user's latest click or key press. A window manager that follows the EWMH then gives it the
// focus even though another program holds it; one that refuses leaves the window shown and
// changes nothing else. Off X11 only Qt's own activation is made.
void ActivateWindow(QWidget* Window);

// Keeps the time of the newest key press or mouse click the program received from the X server
// (the tray icon's click among them), for the activation requests above. One lives as long as
// the application; until it exists, requests carry no time.
class TUserTime : public QAbstractNativeEventFilter {
public:
  TUserTime();
  ~TUserTime() override;
  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;
};
