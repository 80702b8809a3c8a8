#include "strip_return.h"

#include <QPointer>

#include "notify_icon.h"
#include "qt/application.h"
#include "strip_window.h"

void RestoreStripWhenTrayGoes(NotifyIconShell& Shell, TVellox1& Strip) {
  Shell.AvailabilityChanged = [&Shell, Kept = QPointer<TVellox1>(&Strip)] {
    if (Kept.isNull() || Kept->isVisible() || Shell.Available()) return;
    Application::Guard([&] { Kept->Restore(Kept.data()); });
  };
}
