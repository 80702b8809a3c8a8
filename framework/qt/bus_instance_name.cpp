#include "qt/bus_instance_name.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

constexpr const char* kObjectPath = "/Strip";
constexpr const char* kInterface = "org.vellox.Strip";
// A holder that does not answer in this time is not waited for: the later start ends anyway.
constexpr int kShowTimeoutMs = 2000;

}  // namespace

TBusInstanceName::TBusInstanceName(QString BusName, QObject* Parent) : QObject(Parent), Name(std::move(BusName)) {}

TBusInstanceName::TClaim TBusInstanceName::Claim() {
  QDBusConnection Bus = QDBusConnection::sessionBus();
  if (!Bus.isConnected()) return TClaim::NoBus;
  // The object first, so the name never stands for a copy that cannot answer.
  Bus.registerObject(QString::fromLatin1(kObjectPath), this, QDBusConnection::ExportScriptableSlots);
  const auto Reply = Bus.interface()->registerService(Name, QDBusConnectionInterface::DontQueueService,
                                                      QDBusConnectionInterface::DontAllowReplacement);
  if (Reply.isValid() && Reply.value() == QDBusConnectionInterface::ServiceRegistered) return TClaim::Claimed;
  Bus.unregisterObject(QString::fromLatin1(kObjectPath));
  if (!Reply.isValid()) return TClaim::NoBus;
  const QDBusMessage Request =
      QDBusMessage::createMethodCall(Name, QString::fromLatin1(kObjectPath), QString::fromLatin1(kInterface),
                                     QStringLiteral("Show"));
  Bus.call(Request, QDBus::Block, kShowTimeoutMs);
  return TClaim::HeldElsewhere;
}

void TBusInstanceName::Show() {
  if (OnShowRequested) OnShowRequested();
}
