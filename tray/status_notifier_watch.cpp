#include "status_notifier_watch.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
// A watcher that does not answer in this time counts as none.
constexpr int kAnswerTimeoutMs = 1000;

}  // namespace

TStatusNotifierWatch::TStatusNotifierWatch(QObject* Parent) : QObject(Parent) {
  QDBusConnection Bus = QDBusConnection::sessionBus();
  auto* Service = new QDBusServiceWatcher(kWatcher, Bus, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(Service, &QDBusServiceWatcher::serviceOwnerChanged, this, &TStatusNotifierWatch::Changed);
  for (const char* Signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
    Bus.connect(kWatcher, kWatcherPath, kWatcher, QString::fromLatin1(Signal), this, SIGNAL(Changed()));
  }
}

bool TStatusNotifierWatch::HostRegistered() {
  QDBusConnection Bus = QDBusConnection::sessionBus();
  if (!Bus.isConnected()) return false;
  QDBusMessage Ask = QDBusMessage::createMethodCall(kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  Ask << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusMessage Answer = Bus.call(Ask, QDBus::Block, kAnswerTimeoutMs);
  if (Answer.type() != QDBusMessage::ReplyMessage || Answer.arguments().isEmpty()) return false;
  return qvariant_cast<QDBusVariant>(Answer.arguments().first()).variant().toBool();
}
