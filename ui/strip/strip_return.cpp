#include "strip/strip_return.h"

#include <QPointer>
#include <QTimer>

#include "qt/application.h"
#include "strip/strip_window.h"
#include "tray/notify_icon.h"

void RestoreStripWhenTrayGoes(NotifyIconShell& Shell, TVellox1& Strip, int GraceMs) {
  auto* Grace = new QTimer(&Strip);
  Grace->setSingleShot(true);
  Grace->setInterval(GraceMs);
  QObject::connect(Grace, &QTimer::timeout, &Strip, [&Shell, &Strip] {
    if (Strip.isVisible() || Shell.Available()) return;
    Application::Guard([&] { Strip.Restore(&Strip); });
  });
  Shell.AvailabilityChanged = [&Shell, Living = QPointer<TVellox1>(&Strip), Waiting = QPointer<QTimer>(Grace)] {
    if (Living.isNull()) return;
    Living->ShowTrayAvailability();
    if (!Shell.Available()) Waiting->start();
  };
}
