#pragma once

#include <QObject>

// The StatusNotifierItem side of the desktop: the watcher service org.kde.StatusNotifierWatcher
// on the session bus, with which panels that show items (hosts) register. Reports each time the
// watcher comes or goes, or a host registers or leaves.
class TStatusNotifierWatch : public QObject {
  Q_OBJECT
public:
  explicit TStatusNotifierWatch(QObject* Parent);

  // Whether a watcher runs with a registered host now (asked of the watcher, not remembered).
  // This is also the question Qt asks, once, to choose between StatusNotifierItems and XEmbed.
  static bool HostRegistered();

signals:
  void Changed();
};
