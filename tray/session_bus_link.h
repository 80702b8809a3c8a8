#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QTimer>

// A connection of the program's own to the D-Bus session bus that outlives the bus: when the bus
// goes away (its daemon ended or restarted), the connection is made again as soon as the bus
// answers at its address once more. Qt's own session-bus connection stays dead after such a loss,
// so whatever must follow the bus asks this link instead.
//
// While the bus is away the link tries again after 0.2 s, then after twice as long each time, up
// to every 5 s. A bus that was never reached is not tried again.
class TSessionBusLink : public QObject {
  Q_OBJECT
public:
  explicit TSessionBusLink(QObject* Parent);
  ~TSessionBusLink() override;

  // The connection in use: not connected while the bus is away.
  QDBusConnection Bus() const { return QDBusConnection(Name); }
  bool Connected() const { return Bus().isConnected(); }
  // How many connections were made so far: a new number is a new connection, on which whatever
  // the program had on the bus must be set up again.
  int Connections() const { return Made; }

signals:
  // The bus went away, or a connection to it was made again.
  void Changed();

private slots:
  void Lost();

private:
  const QString Name;
  QTimer Retry;
  int RetryMs = 0;
  int Made = 0;

  bool Connect();
  void TryAgain();
};
