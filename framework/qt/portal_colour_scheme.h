#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariant>

class QDBusServiceWatcher;
class QDBusVariant;

// The desktop's light or dark preference: the desktop portal's org.freedesktop.appearance
// color-scheme (0 no preference, 1 dark, 2 light; other values count as no preference).
enum class TColourScheme { NoPreference, Dark, Light };

// The preference in a value the portal sends, however deep in variants it lies (Read wraps it
// twice, ReadOne and SettingChanged once).
TColourScheme ColourSchemeOf(QVariant Value);

// Reads the preference from the desktop portal's Settings interface on the session bus, and
// follows its changes there (SettingChanged), asking again whenever a portal comes onto the bus.
// The reads are asynchronous: a portal that is started on demand never holds up the program.
// Where no portal answers, the preference stays as it was.
class TPortalColourScheme : public QObject {
  Q_OBJECT
public:
  explicit TPortalColourScheme(QObject* Parent);

  // Reads the preference on Bus and follows it there from now on; the bus listened to before (one
  // that went away and came back) is left. ReadOne where the portal offers it, else Read.
  void Listen(const QDBusConnection& Bus);

signals:
  void Changed(TColourScheme Scheme);

private slots:
  void SettingChanged(const QString& Namespace, const QString& Key, const QDBusVariant& Value);

private:
  QString BusName;
  QDBusServiceWatcher* PortalWatch = nullptr;
  // Each read and each change counts: a read's answer that comes after a later change or read
  // is stale.
  int Events = 0;
  TColourScheme Current = TColourScheme::NoPreference;

  void Read(const QString& Method);
  void Take(TColourScheme Scheme);
};
