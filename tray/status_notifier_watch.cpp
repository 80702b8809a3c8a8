#include "tray/status_notifier_watch.h"

#include <QDBusConnectionInterface>
#include <QDBusError>
#include <QDBusMessage>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

#include "tray/session_bus_link.h"
#include "tray/session_displays.h"

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kHostNames[] = {QStringLiteral("org.kde.StatusNotifierHost-"),
                              QStringLiteral("org.freedesktop.StatusNotifierHost-")};
// A watcher that does not answer in this time counts as none.
constexpr int kAnswerTimeoutMs = 1000;

// None when the watcher did not answer in time.
std::optional<bool> HostRegistered(QDBusConnection& Bus) {
  QDBusMessage Ask = QDBusMessage::createMethodCall(kWatcher, kWatcherPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  Ask << kWatcher << QStringLiteral("IsStatusNotifierHostRegistered");
  const QDBusMessage Answer = Bus.call(Ask, QDBus::Block, kAnswerTimeoutMs);
  if (Answer.type() == QDBusMessage::ErrorMessage && QDBusError(Answer).type() == QDBusError::NoReply) return std::nullopt;
  if (Answer.type() != QDBusMessage::ReplyMessage || Answer.arguments().isEmpty()) return false;
  return qvariant_cast<QDBusVariant>(Answer.arguments().first()).variant().toBool();
}

// The bus names that stand for the registered hosts' processes.
QStringList HostServices(QDBusConnection& Bus) {
  QStringList Hosts;
  for (const QString& Name : Bus.interface()->registeredServiceNames().value()) {
    for (const QString& Prefix : kHostNames) {
      if (Name.startsWith(Prefix)) Hosts << Name;
    }
  }
  if (Hosts.isEmpty()) Hosts << kWatcher;
  return Hosts;
}

}  // namespace

TStatusNotifierWatch::TStatusNotifierWatch(TSessionBusLink& Link, QObject* Parent) : QObject(Parent), Link(Link) {
  connect(&Link, &TSessionBusLink::Changed, this, [this] {
    WatchBus();
    emit Changed();
  });
  WatchBus();
}

void TStatusNotifierWatch::WatchBus() {
  Service.reset();  // it watched a bus that went away
  QDBusConnection Bus = Link.Bus();
  if (!Bus.isConnected()) return;
  Service = std::make_unique<QDBusServiceWatcher>(kWatcher, Bus, QDBusServiceWatcher::WatchForOwnerChange);
  connect(Service.get(), &QDBusServiceWatcher::serviceOwnerChanged, this, &TStatusNotifierWatch::Changed);
  for (const char* Signal : {"StatusNotifierHostRegistered", "StatusNotifierHostUnregistered"}) {
    Bus.connect(kWatcher, kWatcherPath, kWatcher, QString::fromLatin1(Signal), this, SIGNAL(Changed()));
  }
}

std::optional<bool> TStatusNotifierWatch::HostOnThisDisplay() const {
  QDBusConnection Bus = Link.Bus();
  if (!Bus.isConnected()) return false;
  const std::optional<bool> Registered = HostRegistered(Bus);
  if (!Registered || !*Registered) return Registered;
  const TSessionDisplays Here = DisplaysOfThisProcess();
  for (const QString& Host : HostServices(Bus)) {
    const QDBusReply<uint> Pid = Bus.interface()->servicePid(Host);
    if (!Pid.isValid()) continue;
    const auto There = DisplaysOfProcess(static_cast<pid_t>(Pid.value()));
    if (There && ShareADisplay(Here, *There)) return true;
  }
  return false;
}
