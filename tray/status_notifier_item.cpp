#include "tray/status_notifier_item.h"

#include <QCoreApplication>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QGuiApplication>
#include <QImage>
#include <QtEndian>

#include "tray/dbus_menu_exporter.h"

namespace {

const QString kWatcher = QStringLiteral("org.kde.StatusNotifierWatcher");
const QString kWatcherPath = QStringLiteral("/StatusNotifierWatcher");
const QString kItemPath = QStringLiteral("/StatusNotifierItem");

// One size of an image: (iiay), its pixels ARGB32 in network byte order.
struct TSniImage {
  int Width = 0;
  int Height = 0;
  QByteArray Pixels;
};

// (sa(iiay)ss): an icon's name or images, a title and a text.
struct TSniToolTip {
  QString IconName;
  QList<TSniImage> Images;
  QString Title;
  QString Text;
};

}  // namespace

Q_DECLARE_METATYPE(TSniImage)
Q_DECLARE_METATYPE(TSniToolTip)

namespace {

QDBusArgument& operator<<(QDBusArgument& Out, const TSniImage& Image) {
  Out.beginStructure();
  Out << Image.Width << Image.Height << Image.Pixels;
  Out.endStructure();
  return Out;
}

const QDBusArgument& operator>>(const QDBusArgument& In, TSniImage& Image) {
  In.beginStructure();
  In >> Image.Width >> Image.Height >> Image.Pixels;
  In.endStructure();
  return In;
}

QDBusArgument& operator<<(QDBusArgument& Out, const TSniToolTip& Tip) {
  Out.beginStructure();
  Out << Tip.IconName << Tip.Images << Tip.Title << Tip.Text;
  Out.endStructure();
  return Out;
}

const QDBusArgument& operator>>(const QDBusArgument& In, TSniToolTip& Tip) {
  In.beginStructure();
  In >> Tip.IconName >> Tip.Images >> Tip.Title >> Tip.Text;
  In.endStructure();
  return In;
}

// The icon in each size it has, or else in the sizes panels commonly draw.
QList<TSniImage> ImagesOf(const QIcon& Icon) {
  QList<QSize> Sizes = Icon.availableSizes();
  if (Sizes.isEmpty()) Sizes = {{16, 16}, {22, 22}, {24, 24}, {32, 32}, {48, 48}};
  QList<TSniImage> Images;
  for (const QSize& Size : Sizes) {
    const QImage Image = Icon.pixmap(Size).toImage().convertToFormat(QImage::Format_ARGB32);
    if (Image.isNull()) continue;
    TSniImage Each{Image.width(), Image.height(), {}};
    Each.Pixels.reserve(Image.width() * Image.height() * 4);
    for (int Y = 0; Y < Image.height(); ++Y) {
      const auto* Row = reinterpret_cast<const quint32*>(Image.constScanLine(Y));
      for (int X = 0; X < Image.width(); ++X) {
        const quint32 Pixel = qToBigEndian(Row[X]);
        Each.Pixels.append(reinterpret_cast<const char*>(&Pixel), sizeof Pixel);
      }
    }
    Images.append(Each);
  }
  return Images;
}

// Each item has a bus name of its own, as hosts expect: the process's and the item's number.
QString NewServiceName() {
  static int Items = 0;
  return QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(QCoreApplication::applicationPid()).arg(++Items);
}

class TStatusNotifierItemAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
  Q_PROPERTY(QString Category READ Category)
  Q_PROPERTY(QString Id READ Id)
  Q_PROPERTY(QString Title READ Title)
  Q_PROPERTY(QString Status READ Status)
  Q_PROPERTY(int WindowId READ WindowId)
  Q_PROPERTY(QString IconThemePath READ NoName)
  Q_PROPERTY(QDBusObjectPath Menu READ Menu)
  Q_PROPERTY(bool ItemIsMenu READ ItemIsMenu)
  Q_PROPERTY(QString IconName READ NoName)
  Q_PROPERTY(QList<TSniImage> IconPixmap READ IconPixmap)
  Q_PROPERTY(QString OverlayIconName READ NoName)
  Q_PROPERTY(QList<TSniImage> OverlayIconPixmap READ NoImages)
  Q_PROPERTY(QString AttentionIconName READ NoName)
  Q_PROPERTY(QList<TSniImage> AttentionIconPixmap READ NoImages)
  Q_PROPERTY(QString AttentionMovieName READ NoName)
  Q_PROPERTY(TSniToolTip ToolTip READ ToolTip)

public:
  explicit TStatusNotifierItemAdaptor(TStatusNotifierItem* Item) : QDBusAbstractAdaptor(Item), Item(*Item) {
    connect(Item, &TStatusNotifierItem::NewIcon, this, &TStatusNotifierItemAdaptor::NewIcon);
    connect(Item, &TStatusNotifierItem::NewToolTip, this, &TStatusNotifierItemAdaptor::NewToolTip);
  }

  QString Category() const { return QStringLiteral("ApplicationStatus"); }
  QString Id() const { return QCoreApplication::applicationName(); }
  QString Title() const { return QGuiApplication::applicationDisplayName(); }
  QString Status() const { return QStringLiteral("Active"); }
  int WindowId() const { return 0; }
  QString NoName() const { return {}; }
  QDBusObjectPath Menu() const {
    // Without a menu the item says so with the path hosts know for it.
    return QDBusObjectPath(Item.HasMenu() ? QLatin1String(kDBusMenuPath) : QLatin1String("/NO_DBUSMENU"));
  }
  bool ItemIsMenu() const { return false; }
  QList<TSniImage> IconPixmap() const { return ImagesOf(Item.Image()); }
  QList<TSniImage> NoImages() const { return {}; }
  TSniToolTip ToolTip() const { return {QString(), {}, Item.Tip(), QString()}; }

public slots:
  void Activate(int, int) { emit Item.activated(QSystemTrayIcon::Trigger); }
  void SecondaryActivate(int, int) { emit Item.activated(QSystemTrayIcon::MiddleClick); }
  void ContextMenu(int, int) { emit Item.activated(QSystemTrayIcon::Context); }
  void Scroll(int, const QString&) {}

signals:
  void NewTitle();
  void NewIcon();
  void NewAttentionIcon();
  void NewOverlayIcon();
  void NewToolTip();
  void NewStatus(const QString& Status);

private:
  TStatusNotifierItem& Item;
};

}  // namespace

TStatusNotifierItem::TStatusNotifierItem(QMenu* Menu)
    : Name(NewServiceName()), Bus(QDBusConnection::connectToBus(QDBusConnection::SessionBus, Name)) {
  static const bool Registered = [] {
    qDBusRegisterMetaType<TSniImage>();
    qDBusRegisterMetaType<QList<TSniImage>>();
    qDBusRegisterMetaType<TSniToolTip>();
    return true;
  }();
  Q_UNUSED(Registered);
  new TStatusNotifierItemAdaptor(this);
  if (!Bus.isConnected()) return;  // the bus is away: the item shows nowhere
  if (Menu != nullptr) this->Menu = new TDBusMenuExporter(Menu, Bus, this);
  Bus.registerObject(kItemPath, this, QDBusConnection::ExportAdaptors);
  Bus.registerService(Name);
  Watcher = new QDBusServiceWatcher(kWatcher, Bus, QDBusServiceWatcher::WatchForRegistration, this);
  connect(Watcher, &QDBusServiceWatcher::serviceRegistered, this, &TStatusNotifierItem::Register);
  Register();
}

TStatusNotifierItem::~TStatusNotifierItem() {
  delete Menu;
  Bus.unregisterObject(kItemPath);
  // The connection closes with its last user; the watcher then drops the item.
  QDBusConnection::disconnectFromBus(Name);
}

void TStatusNotifierItem::SetImage(const QIcon& Image) {
  Picture = Image;
  emit NewIcon();
}

void TStatusNotifierItem::SetTip(const QString& Tip) {
  Text = Tip;
  emit NewToolTip();
}

void TStatusNotifierItem::Register() {
  QDBusMessage Call = QDBusMessage::createMethodCall(kWatcher, kWatcherPath, kWatcher,
                                                     QStringLiteral("RegisterStatusNotifierItem"));
  Call << Name;
  // Not waited for: the watcher may first ask the item for its properties.
  Bus.asyncCall(Call);
}

#include "status_notifier_item.moc"
