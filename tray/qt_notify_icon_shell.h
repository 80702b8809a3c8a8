#pragma once

#include <QMenu>
#include <QObject>
#include <QPointer>

#include <xcb/xcb.h>

#include <map>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

#include "tray/notify_icon.h"
#include "tray/status_notifier_item.h"
#include "tray/xembed_tray_icon.h"

class TSessionBusLink;
class TStatusNotifierWatch;
class TXEmbedTrayWatch;

// The notification area of the program's own display: a StatusNotifierItem host on the session
// bus, or else the display's XEmbed tray. Each added record becomes an icon there with its image
// and tip; the icon's activations come back as callback messages to the record's window, on the
// user-interface thread, with the mouse messages of a real click:
//   left click: button down, up       double click: double click, up
//   right click: down, up             middle click: down, up
// An add is accepted while no notification area runs yet; the icon shows when one appears.
//
// One session bus may serve several displays of the same user, so a host on the bus may show
// another display's items: the icons become StatusNotifierItems (TStatusNotifierItem, which
// exports the icon's menu over DBusMenu for the host to draw) only while a host runs on this
// display, and else dock in this display's XEmbed tray (TXEmbedTrayIcon; there the program pops
// its menu itself on the right click).
// The icons are made anew whenever the notification area they belong in changes: the kind, the
// tray, or the session bus after it restarted (an item lives on the bus it was offered on).
class QtNotifyIconShell : public QObject, public NotifyIconShell {
  Q_OBJECT
public:
  bool NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) override;
  void SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) override;
  bool Available() override;

private:
  using Key = std::pair<HWND, uint32_t>;
  using ShownIcon = std::variant<std::monostate, std::unique_ptr<TStatusNotifierItem>, std::unique_ptr<TXEmbedTrayIcon>>;
  struct Entry {
    NOTIFYICONDATAA Data;  // the latest record
    QPointer<QMenu> Menu;  // what a StatusNotifierItem host may show
    ShownIcon Icon;        // made on the event loop's next turn; none until then
  };
  std::map<Key, Entry> Icons;

  enum class TKind { StatusNotifier, XEmbed };
  // Where the icons are: decided at the first icon, then again at every change.
  struct Placement {
    TKind Kind = TKind::XEmbed;
    xcb_window_t Tray = XCB_WINDOW_NONE;  // the XEmbed tray's manager window
    int TrayChanges = 0;                  // the tray's changes of owner, by their count
    int Bus = 0;                          // the session bus's connection, by its number
    bool operator==(const Placement&) const = default;
  };
  std::optional<Placement> Placed;
  bool ReconsiderPending = false;

  // Made at the first question: the session bus, its hosts, and the display's tray.
  TSessionBusLink* Bus = nullptr;
  TStatusNotifierWatch* Hosts = nullptr;
  TXEmbedTrayWatch* Tray = nullptr;

  void Watch();
  Placement WhereNow();
  // After a change of the desktop: the icons move where they belong now.
  void Reconsider();
  void ShowLater(const Key& Id);
  void Show(const Key& Id);
  void Apply(Entry& Shown);
};
