#pragma once

#include <QObject>
#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <utility>

#include "notify_icon.h"

// The notification area of the desktop, through QSystemTrayIcon (XEmbed trays and
// StatusNotifierItem hosts). Each added record becomes a tray icon with its image and tip; Qt's
// activations come back as callback messages to the record's window, on the user-interface
// thread, with the mouse messages of a real click:
//   left click: button down, up       double click: double click, up
//   right click: down, up             middle click: down, up
// An add is accepted while no notification area runs yet; Qt shows the icon when one appears.
class QtNotifyIconShell : public QObject, public NotifyIconShell {
  Q_OBJECT
public:
  bool NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) override;
  bool Available() const override { return QSystemTrayIcon::isSystemTrayAvailable(); }

private:
  using Key = std::pair<HWND, uint32_t>;
  struct Entry {
    NOTIFYICONDATAA Data;                  // the latest record
    std::unique_ptr<QSystemTrayIcon> Icon;  // made on the event loop's next turn
  };
  std::map<Key, Entry> Icons;

  void Show(const Key& Id);
  void Apply(QSystemTrayIcon& Icon, const NOTIFYICONDATAA& Data);
};
