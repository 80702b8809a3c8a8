#include "tray/session_bus_link.h"

#include <algorithm>

namespace {

constexpr int kFirstRetryMs = 200;
constexpr int kLastRetryMs = 5000;

// Each link has a connection name of its own: Qt keeps connections by name.
QString NewConnectionName() {
  static int Links = 0;
  return QStringLiteral("vellox-session-bus-%1").arg(++Links);
}

}  // namespace

TSessionBusLink::TSessionBusLink(QObject* Parent) : QObject(Parent), Name(NewConnectionName()) {
  Retry.setSingleShot(true);
  connect(&Retry, &QTimer::timeout, this, &TSessionBusLink::TryAgain);
  Connect();
}

TSessionBusLink::~TSessionBusLink() { QDBusConnection::disconnectFromBus(Name); }

bool TSessionBusLink::Connect() {
  // A connection Qt keeps under the name, dead or failed, would be handed out again as it is.
  QDBusConnection::disconnectFromBus(Name);
  QDBusConnection Bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, Name);
  if (!Bus.isConnected()) {
    QDBusConnection::disconnectFromBus(Name);
    return false;
  }
  // libdbus tells its connection's own end with this local signal, which never crosses the bus.
  Bus.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"), QStringLiteral("org.freedesktop.DBus.Local"),
              QStringLiteral("Disconnected"), this, SLOT(Lost()));
  ++Made;
  return true;
}

void TSessionBusLink::Lost() {
  RetryMs = kFirstRetryMs;
  Retry.start(RetryMs);
  emit Changed();
}

void TSessionBusLink::TryAgain() {
  if (Connect()) {
    emit Changed();
    return;
  }
  RetryMs = std::min(RetryMs * 2, kLastRetryMs);
  Retry.start(RetryMs);
}
