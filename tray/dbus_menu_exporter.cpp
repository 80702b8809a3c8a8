#include "tray/dbus_menu_exporter.h"

#include <QAction>
#include <QActionGroup>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QTimer>

namespace {

// A node with its properties and, as variants, its children: (ia{sv}av).
struct TMenuLayout {
  int Id = 0;
  QVariantMap Properties;
  QList<TMenuLayout> Children;
};

// A node's properties: (ia{sv}).
struct TMenuItem {
  int Id = 0;
  QVariantMap Properties;
};

// One of a group of events: (isvu).
struct TMenuEvent {
  int Id = 0;
  QString EventId;
  QDBusVariant Data;
  uint Timestamp = 0;
};

}  // namespace

Q_DECLARE_METATYPE(TMenuLayout)
Q_DECLARE_METATYPE(TMenuItem)
Q_DECLARE_METATYPE(TMenuEvent)

namespace {

QDBusArgument& operator<<(QDBusArgument& Out, const TMenuLayout& Layout) {
  Out.beginStructure();
  Out << Layout.Id << Layout.Properties;
  Out.beginArray(qMetaTypeId<QDBusVariant>());
  for (const TMenuLayout& Child : Layout.Children) Out << QDBusVariant(QVariant::fromValue(Child));
  Out.endArray();
  Out.endStructure();
  return Out;
}

const QDBusArgument& operator>>(const QDBusArgument& In, TMenuLayout& Layout) {
  In.beginStructure();
  In >> Layout.Id >> Layout.Properties;
  In.beginArray();
  Layout.Children.clear();
  while (!In.atEnd()) {
    QDBusVariant Child;
    In >> Child;
    Layout.Children.append(qdbus_cast<TMenuLayout>(Child.variant()));
  }
  In.endArray();
  In.endStructure();
  return In;
}

QDBusArgument& operator<<(QDBusArgument& Out, const TMenuItem& Item) {
  Out.beginStructure();
  Out << Item.Id << Item.Properties;
  Out.endStructure();
  return Out;
}

const QDBusArgument& operator>>(const QDBusArgument& In, TMenuItem& Item) {
  In.beginStructure();
  In >> Item.Id >> Item.Properties;
  In.endStructure();
  return In;
}

QDBusArgument& operator<<(QDBusArgument& Out, const TMenuEvent& Event) {
  Out.beginStructure();
  Out << Event.Id << Event.EventId << Event.Data << Event.Timestamp;
  Out.endStructure();
  return Out;
}

const QDBusArgument& operator>>(const QDBusArgument& In, TMenuEvent& Event) {
  In.beginStructure();
  In >> Event.Id >> Event.EventId >> Event.Data >> Event.Timestamp;
  In.endStructure();
  return In;
}

// A caption's mnemonic as DBusMenu writes it: "_" before the key, "__" for an underscore.
QString Label(const QString& Text) {
  QString Written;
  for (qsizetype At = 0; At < Text.size(); ++At) {
    if (Text[At] == u'_') {
      Written += QStringLiteral("__");
    } else if (Text[At] == u'&' && At + 1 < Text.size()) {
      const bool Ampersand = Text[At + 1] == u'&';  // "&&" is an ampersand
      Written += Ampersand ? u'&' : u'_';
      if (Ampersand) ++At;
    } else {
      Written += Text[At];
    }
  }
  return Written;
}

QVariantMap Only(const QVariantMap& Properties, const QStringList& Names) {
  if (Names.isEmpty()) return Properties;
  QVariantMap Kept;
  for (const QString& Name : Names) {
    if (Properties.contains(Name)) Kept.insert(Name, Properties.value(Name));
  }
  return Kept;
}

class TDBusMenuAdaptor : public QDBusAbstractAdaptor {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
  Q_PROPERTY(uint Version READ Version)
  Q_PROPERTY(QString TextDirection READ TextDirection)
  Q_PROPERTY(QString Status READ Status)
  Q_PROPERTY(QStringList IconThemePath READ IconThemePath)

public:
  explicit TDBusMenuAdaptor(TDBusMenuExporter* Exporter) : QDBusAbstractAdaptor(Exporter), Menu(*Exporter) {
    connect(Exporter, &TDBusMenuExporter::LayoutChanged, this, [this](uint Revision) { emit LayoutUpdated(Revision, 0); });
  }

  uint Version() const { return 3; }
  QString TextDirection() const {
    return QGuiApplication::layoutDirection() == Qt::RightToLeft ? QStringLiteral("rtl") : QStringLiteral("ltr");
  }
  QString Status() const { return QStringLiteral("normal"); }
  QStringList IconThemePath() const { return {}; }

public slots:
  uint GetLayout(int ParentId, int RecursionDepth, const QStringList& PropertyNames, TMenuLayout& Layout) {
    Layout = LayoutOf(ParentId, RecursionDepth, PropertyNames);
    return Menu.CurrentRevision();
  }

  QList<TMenuItem> GetGroupProperties(const QList<int>& Ids, const QStringList& PropertyNames) {
    QList<TMenuItem> Items;
    for (int Id : Ids) Items.append({Id, Only(Menu.Properties(Id), PropertyNames)});
    return Items;
  }

  QDBusVariant GetProperty(int Id, const QString& Name) { return QDBusVariant(Menu.Properties(Id).value(Name)); }

  void Event(int Id, const QString& EventId, const QDBusVariant&, uint) {
    if (EventId == QLatin1String("clicked")) Menu.Clicked(Id);
  }

  QList<int> EventGroup(const QList<TMenuEvent>& Events) {
    for (const TMenuEvent& Each : Events) Event(Each.Id, Each.EventId, Each.Data, Each.Timestamp);
    return {};
  }

  // The items are always up to date: nothing to fetch before a menu opens.
  bool AboutToShow(int) { return false; }
  QList<int> AboutToShowGroup(const QList<int>&, QList<int>& IdErrors) {
    IdErrors.clear();
    return {};
  }

signals:
  void LayoutUpdated(uint Revision, int Parent);
  void ItemActivationRequested(int Id, uint Timestamp);

private:
  TDBusMenuExporter& Menu;

  TMenuLayout LayoutOf(int Id, int Depth, const QStringList& Names) {
    TMenuLayout Layout{Id, Only(Menu.Properties(Id), Names), {}};
    if (Depth == 0) return Layout;  // a negative depth is the whole tree
    for (int Child : Menu.Children(Id)) Layout.Children.append(LayoutOf(Child, Depth - 1, Names));
    return Layout;
  }
};

}  // namespace

TDBusMenuExporter::TDBusMenuExporter(QMenu* Menu, QDBusConnection Bus, QObject* Parent)
    : QObject(Parent), Bus(Bus), Root(Menu) {
  static const bool Registered = [] {
    qDBusRegisterMetaType<TMenuLayout>();
    qDBusRegisterMetaType<TMenuItem>();
    qDBusRegisterMetaType<QList<TMenuItem>>();
    qDBusRegisterMetaType<TMenuEvent>();
    qDBusRegisterMetaType<QList<TMenuEvent>>();
    return true;
  }();
  Q_UNUSED(Registered);
  new TDBusMenuAdaptor(this);
  Watch(Menu);
  this->Bus.registerObject(QLatin1String(kDBusMenuPath), this, QDBusConnection::ExportAdaptors);
}

TDBusMenuExporter::~TDBusMenuExporter() {
  Bus.unregisterObject(QLatin1String(kDBusMenuPath));
  for (QMenu* Menu : std::as_const(Watched)) Menu->removeEventFilter(this);
}

QVariantMap TDBusMenuExporter::Properties(int Id) const {
  if (Id == 0) return {{QStringLiteral("children-display"), QStringLiteral("submenu")}};
  const QAction* Action = Actions.value(Id);
  if (Action == nullptr) return {};
  QVariantMap Properties;
  if (!Action->isVisible()) Properties.insert(QStringLiteral("visible"), false);
  if (Action->isSeparator()) {
    Properties.insert(QStringLiteral("type"), QStringLiteral("separator"));
    return Properties;
  }
  Properties.insert(QStringLiteral("label"), Label(Action->text()));
  if (!Action->isEnabled()) Properties.insert(QStringLiteral("enabled"), false);
  if (Action->isCheckable()) {
    const bool Radio = Action->actionGroup() != nullptr && Action->actionGroup()->isExclusive();
    Properties.insert(QStringLiteral("toggle-type"), Radio ? QStringLiteral("radio") : QStringLiteral("checkmark"));
    Properties.insert(QStringLiteral("toggle-state"), Action->isChecked() ? 1 : 0);
  }
  if (Action->menu() != nullptr) Properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
  if (!Action->icon().name().isEmpty()) Properties.insert(QStringLiteral("icon-name"), Action->icon().name());
  return Properties;
}

QList<int> TDBusMenuExporter::Children(int Id) {
  QList<int> Nodes;
  if (QMenu* Menu = MenuOf(Id)) {
    for (QAction* Action : Menu->actions()) Nodes.append(IdOf(Action));
  }
  return Nodes;
}

void TDBusMenuExporter::Clicked(int Id) {
  const QPointer<QAction> Action = Actions.value(Id);
  if (Action.isNull()) return;
  // Not within the host's call: the item's handler may open a window and wait for it.
  QTimer::singleShot(0, Action, [Action] {
    if (Action->isEnabled()) Action->trigger();
  });
}

int TDBusMenuExporter::IdOf(QAction* Action) {
  const auto Known = Ids.constFind(Action);
  if (Known != Ids.constEnd() && Actions.value(*Known) == Action) return *Known;
  const int Id = static_cast<int>(Actions.size()) + 1;
  Ids.insert(Action, Id);
  Actions.insert(Id, Action);
  return Id;
}

QMenu* TDBusMenuExporter::MenuOf(int Id) {
  QMenu* Menu = Id == 0 ? Root.data() : nullptr;
  if (Id != 0) {
    if (QAction* Action = Actions.value(Id)) Menu = Action->menu();
  }
  if (Menu != nullptr) Watch(Menu);
  return Menu;
}

void TDBusMenuExporter::Watch(QMenu* Menu) {
  if (Menu == nullptr || Watched.contains(Menu)) return;
  Watched.insert(Menu);
  Menu->installEventFilter(this);
  connect(Menu, &QObject::destroyed, this, [this, Menu] { Watched.remove(Menu); });
}

bool TDBusMenuExporter::eventFilter(QObject* Object, QEvent* Event) {
  const QEvent::Type Type = Event->type();
  if ((Type == QEvent::ActionAdded || Type == QEvent::ActionRemoved || Type == QEvent::ActionChanged) && !Pending) {
    // Several changes at once (a menu rebuilt, states set together) are one new layout.
    Pending = true;
    QTimer::singleShot(0, this, [this] {
      Pending = false;
      emit LayoutChanged(++Revision);
    });
  }
  return QObject::eventFilter(Object, Event);
}

#include "dbus_menu_exporter.moc"
