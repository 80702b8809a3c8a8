#pragma once

#include <QObject>
#include <QPointer>
#include <QThread>

#include "tray/tray_icon.h"

// Waits the double-click interval plus 50 milliseconds after a left release, then hands over to
// the user-interface thread, where the callback window completes the click of the instance whose
// release started the wait. Frees itself once the hand-over has run.
class TSingleClick : public QThread {
  Q_OBJECT
public:
  TSingleClick(TTrayIcon* Icon, int DoubleClickMs);
  // The instance whose release started the wait; null once it was destroyed.
  const QPointer<TTrayIcon> Icon;

signals:
  // The termination step, on the user-interface thread once the wait is over. The object is
  // alive while its receivers run and frees itself after them.
  void Terminated(TSingleClick* Sender);

protected:
  void run() override;

private:
  const int WaitMs;

  void Terminate();
};

// The one receiver of every tray icon's callback messages (WM_TRAYNOTIFY): finds the instance a
// message is about and turns the mouse message into its events and popup menus. Every handler
// runs through the application's guard.
class TCallbackWindow : public QObject {
  Q_OBJECT
public:
  explicit TCallbackWindow(QObject* Owner);

  // The instance named by the latest callback message with a known identifier; null before the
  // first one and after that instance was destroyed.
  QPointer<TTrayIcon> CurrentIcon;

  void WMTrayNotify(uintptr_t WParam, intptr_t LParam);

  // Completes the wait of a TSingleClick: OnClick, if the instance still waits for it.
  void SingleClickDone(TSingleClick* Sender);

protected:
  bool event(QEvent* Event) override;

private:
  void Press(TTrayIcon& Instance, QMenu* Menu, TMouseButton Button, TShiftState Shift, QPoint Position);
  void Popup(TTrayIcon& Instance, QMenu* Menu, QPoint Position);
  void ReleaseDetection(TTrayIcon& Instance);
};
