#include "portal_colour_scheme.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>

namespace {

const QString kPortal = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kSettings = QStringLiteral("org.freedesktop.portal.Settings");
const QString kNamespace = QStringLiteral("org.freedesktop.appearance");
const QString kKey = QStringLiteral("color-scheme");
const QString kReadOne = QStringLiteral("ReadOne");
const QString kRead = QStringLiteral("Read");
const QString kSettingChanged = QStringLiteral("SettingChanged");

}  // namespace

TColourScheme ColourSchemeOf(QVariant Value) {
  while (Value.metaType() == QMetaType::fromType<QDBusVariant>()) Value = qvariant_cast<QDBusVariant>(Value).variant();
  if (Value.metaType() != QMetaType::fromType<uint>()) return TColourScheme::NoPreference;
  switch (Value.toUInt()) {
    case 1:
      return TColourScheme::Dark;
    case 2:
      return TColourScheme::Light;
    default:
      return TColourScheme::NoPreference;
  }
}

TPortalColourScheme::TPortalColourScheme(QObject* Parent) : QObject(Parent) {
  // Qt D-Bus matches a signal's arguments to the slot's through the registered types.
  qRegisterMetaType<QDBusVariant>();
}

void TPortalColourScheme::Listen(const QDBusConnection& Bus) {
  if (!BusName.isEmpty())
    QDBusConnection(BusName).disconnect(QString(), kPath, kSettings, kSettingChanged, this,
                                        SLOT(SettingChanged(QString,QString,QDBusVariant)));
  BusName = Bus.name();
  // From any sender: the portal's unique name changes when it is started again.
  QDBusConnection(BusName).connect(QString(), kPath, kSettings, kSettingChanged, this,
                                   SLOT(SettingChanged(QString,QString,QDBusVariant)));
  // A portal that comes after the program, or starts again, is asked again.
  delete PortalWatch;
  PortalWatch =
      new QDBusServiceWatcher(kPortal, QDBusConnection(BusName), QDBusServiceWatcher::WatchForRegistration, this);
  connect(PortalWatch, &QDBusServiceWatcher::serviceRegistered, this, [this] { Read(kReadOne); });
  Read(kReadOne);
}

void TPortalColourScheme::Read(const QString& Method) {
  QDBusMessage Ask = QDBusMessage::createMethodCall(kPortal, kPath, kSettings, Method);
  Ask << kNamespace << kKey;
  const int Asked = ++Events;
  auto* Answer = new QDBusPendingCallWatcher(QDBusConnection(BusName).asyncCall(Ask), this);
  connect(Answer, &QDBusPendingCallWatcher::finished, this, [this, Answer, Asked, Method] {
    Answer->deleteLater();
    if (Asked != Events) return;
    const QDBusPendingReply<QDBusVariant> Reply = *Answer;
    if (!Reply.isError()) {
      Take(ColourSchemeOf(Reply.argumentAt(0)));
    } else if (Method == kReadOne && Reply.error().type() == QDBusError::UnknownMethod) {
      Read(kRead);  // a portal older than ReadOne (before version 2 of the interface)
    }
    // Any other error (no portal, no such setting): the preference stays as it is.
  });
}

void TPortalColourScheme::SettingChanged(const QString& Namespace, const QString& Key, const QDBusVariant& Value) {
  if (Namespace != kNamespace || Key != kKey) return;
  ++Events;
  Take(ColourSchemeOf(Value.variant()));
}

void TPortalColourScheme::Take(TColourScheme Scheme) {
  if (Scheme == Current) return;
  Current = Scheme;
  emit Changed(Scheme);
}
