#include "field/announcement.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QCoreApplication>
#include <QWidget>

namespace {

const QLatin1String kName("vellox_announcement");

// Screen readers know the notification by its role, which no widget of Qt's has.
QAccessibleInterface* NotificationRole(const QString&, QObject* Object) {
  if (Object == nullptr || !Object->isWidgetType() || Object->objectName() != kName) return nullptr;
  return new QAccessibleWidget(static_cast<QWidget*>(Object), QAccessible::Notification);
}

}  // namespace

QWidget* AnnouncementOf(QWidget* Window) { return Window->findChild<QWidget*>(kName, Qt::FindDirectChildrenOnly); }

void Announce(QWidget* Field, const QString& Text) {
  QWidget* Focused = QApplication::focusWidget();
  QWidget* Window = (Focused != nullptr ? Focused : Field)->window();
  QWidget* Notification = AnnouncementOf(Window);
  if (Notification == nullptr) {
    static const bool Installed = (QAccessible::installFactory(NotificationRole), true);
    (void)Installed;
    // Never shown on the screen, nor with its window: showing the window again (the strip
    // restored, the keypad reopened) must not tell an old result again.
    Notification = new QWidget(Window);
    Notification->setObjectName(kName);
    Notification->hide();
  }
  Notification->setAccessibleName(Text.isEmpty() ? QCoreApplication::translate("Announcement", "結果なし") : Text);
  // Shown anew for the screen reader, even with the text it told last: the user asked again.
  QAccessibleEvent Shown(Notification, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&Shown);
}
