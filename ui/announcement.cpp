#include "announcement.h"

#include <QApplication>
#include <QWidget>

QString NoAnnouncement() { return QStringLiteral("結果なし"); }

void Announce(QWidget* Field, const QString& Text) {
  QWidget* Focused = QApplication::focusWidget();
  QWidget* Told = Focused != nullptr ? Focused : Field;
  // Told anew even when the text is the one it told last: the user asked again.
  Told->setAccessibleDescription(Text.isEmpty() ? NoAnnouncement() : Text);
}
