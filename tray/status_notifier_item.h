#pragma once

#include <QDBusConnection>
#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QSystemTrayIcon>

class QDBusServiceWatcher;
class QMenu;
class TDBusMenuExporter;

// One icon as a StatusNotifierItem (org.kde.StatusNotifierItem): its image, its tip and its menu
// (over DBusMenu, for the host to draw) offered on a connection of its own to the session bus as
// it is now, and registered with the notification-area watcher there, again whenever a watcher
// starts. The host's activations come back as QSystemTrayIcon names them: Activate as Trigger,
// SecondaryActivate as MiddleClick, ContextMenu as Context.
//
// The program offers its items itself rather than through QSystemTrayIcon: from Qt 6.8 on, Qt
// asks before each new icon whether a watcher runs, through its default session connection,
// which stays with a bus that went away; the program's icons must follow a bus that restarts.
// A host reads the item's menu once, so a new menu needs a new item; the same for a new bus.
class TStatusNotifierItem : public QObject {
  Q_OBJECT
public:
  // Menu may be none: the item then names no menu (most hosts show none).
  explicit TStatusNotifierItem(QMenu* Menu);
  ~TStatusNotifierItem() override;

  // The bus name the item is offered under.
  QString Service() const { return Name; }

  void SetImage(const QIcon& Image);
  void SetTip(const QString& Tip);

  // What the host reads.
  QIcon Image() const { return Picture; }
  QString Tip() const { return Text; }
  bool HasMenu() const { return Menu != nullptr; }

signals:
  void activated(QSystemTrayIcon::ActivationReason Reason);

  // To the host: the image or the tip changed.
  void NewIcon();
  void NewToolTip();

private:
  const QString Name;
  QDBusConnection Bus;
  TDBusMenuExporter* Menu = nullptr;
  QDBusServiceWatcher* Watcher = nullptr;
  QIcon Picture;
  QString Text;

  void Register();
};
