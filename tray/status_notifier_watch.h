#pragma once

#include <QDBusServiceWatcher>
#include <QObject>

#include <memory>
#include <optional>

class TSessionBusLink;

// The StatusNotifierItem side of the desktop, on the session bus as the link reaches it: the
// watcher service org.kde.StatusNotifierWatcher, with which panels that show items (hosts)
// register. Reports each time the bus or the watcher comes or goes, or a host registers or leaves.
class TStatusNotifierWatch : public QObject {
  Q_OBJECT
public:
  TStatusNotifierWatch(TSessionBusLink& Link, QObject* Parent);

  // Whether a host that shows items on this program's display is registered now (asked of the
  // bus, not remembered). The watcher tells only whether some host is; which display a host
  // shows on is read from the environment of its process, found through the bus names hosts own
  // (org.kde.StatusNotifierHost-<pid>, or the freedesktop.org form); a host under no such name
  // is taken to run in the watcher's process. A host whose display cannot be read does not count.
  // None when the watcher did not answer in time (it may be waiting for this program itself, as
  // while it reads a new item's properties).
  std::optional<bool> HostOnThisDisplay() const;

signals:
  void Changed();

private:
  TSessionBusLink& Link;
  std::unique_ptr<QDBusServiceWatcher> Service;  // the watcher's owner on the connection in use

  // Follows the watcher and its hosts on the link's connection in use.
  void WatchBus();
};
