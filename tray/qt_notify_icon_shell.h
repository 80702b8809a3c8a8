#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QSystemTrayIcon>

#include <map>
#include <memory>
#include <utility>

#include "notify_icon.h"

class TStatusNotifierWatch;
class TXEmbedTrayWatch;

// The notification area of the desktop, through QSystemTrayIcon (XEmbed trays and
// StatusNotifierItem hosts). Each added record becomes a tray icon with its image and tip; Qt's
// activations come back as callback messages to the record's window, on the user-interface
// thread, with the mouse messages of a real click:
//   left click: button down, up       double click: double click, up
//   right click: down, up             middle click: down, up
// An add is accepted while no notification area runs yet; Qt shows the icon when one appears.
//
// Qt chooses once per process how its tray icons reach the desktop: as StatusNotifierItems on
// the session bus when a host is registered at its first tray question, else through XEmbed. The
// shell asks the same question at the same moment, and keeps to that kind for availability and
// menus: a StatusNotifierItem host is handed the icon's menu (Qt exports it over DBusMenu and
// keeps the items' enabled and checked states in step), while under XEmbed the program pops its
// menu itself on the right click.
class QtNotifyIconShell : public QObject, public NotifyIconShell {
  Q_OBJECT
public:
  bool NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) override;
  void SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) override;
  bool Available() const override;

private:
  using Key = std::pair<HWND, uint32_t>;
  struct Entry {
    NOTIFYICONDATAA Data;                  // the latest record
    QPointer<QMenu> Menu;                  // what a StatusNotifierItem host may show
    std::unique_ptr<QSystemTrayIcon> Icon;  // made on the event loop's next turn
  };
  std::map<Key, Entry> Icons;

  enum class TKind { Undecided, StatusNotifier, XEmbed };
  mutable TKind Kind = TKind::Undecided;
  mutable TStatusNotifierWatch* Hosts = nullptr;
  mutable TXEmbedTrayWatch* Tray = nullptr;

  // Decides the kind (with Qt, at its first tray question) and starts watching for that kind's
  // notification area to come and go.
  TKind Decide() const;
  void ShowLater(const Key& Id);
  void Show(const Key& Id);
  void Apply(QSystemTrayIcon& Icon, const NOTIFYICONDATAA& Data);
};
