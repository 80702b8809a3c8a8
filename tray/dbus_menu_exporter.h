#pragma once

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>

class QAction;
class QMenu;

// A menu of the program drawn by another process: the menu's items with their states and
// submenus, exported over DBusMenu (com.canonical.dbusmenu) at kDBusMenuPath, as a
// StatusNotifierItem host reads them. Any change of the menu or a submenu (an item added,
// removed, renamed, enabled, checked) is announced as a new layout, which the host reads again;
// the host's clicks trigger the items on the event loop's next turn.
class TDBusMenuExporter : public QObject {
  Q_OBJECT
public:
  // Exports Menu on Bus; the export ends with the exporter.
  TDBusMenuExporter(QMenu* Menu, QDBusConnection Bus, QObject* Parent);
  ~TDBusMenuExporter() override;

  // What the adaptor answers: the layout's revision, a node's properties and children (the
  // root being 0), and a click on a node.
  uint CurrentRevision() const { return Revision; }
  QVariantMap Properties(int Id) const;
  QList<int> Children(int Id);
  void Clicked(int Id);

signals:
  // The layout under the root changed, with the layout's new revision.
  void LayoutChanged(uint Revision);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QDBusConnection Bus;
  QPointer<QMenu> Root;
  QHash<QAction*, int> Ids;                 // an item's node, the root being 0
  QHash<int, QPointer<QAction>> Actions;    // and back
  QSet<QMenu*> Watched;                     // menus whose changes are announced
  uint Revision = 1;
  bool Pending = false;

  int IdOf(QAction* Action);
  QMenu* MenuOf(int Id);
  void Watch(QMenu* Menu);
};

inline constexpr char kDBusMenuPath[] = "/MenuBar";
