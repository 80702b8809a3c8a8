#pragma once

#include <QObject>
#include <QString>

#include <functional>

// The marker of a running copy in a desktop session: a well-known name on the D-Bus session bus,
// which the bus gives to one connection at a time, so of two copies started together exactly one
// gets it. The name goes with the connection, so a crashed copy leaves nothing behind, and no file
// is written; the session bus is the user's own, so no other user can take it.
//
// The copy that holds the name answers the method Show on the object /Strip; a later start that
// finds the name held calls it and the holder runs OnShowRequested.
class TBusInstanceName : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.vellox.Strip")
public:
  enum class TClaim { Claimed, HeldElsewhere, NoBus };

  explicit TBusInstanceName(QString Name, QObject* Parent = nullptr);

  // Claims the name. When another copy holds it, that copy is asked to show itself.
  TClaim Claim();

  std::function<void()> OnShowRequested;

public slots:
  Q_SCRIPTABLE void Show();

private:
  const QString Name;
};
