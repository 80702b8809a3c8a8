#include "qt/minimise_guard.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>

#include "qt/window_activation.h"

TMinimiseGuard::TMinimiseGuard(QWidget* GuardedWindow, std::function<bool()> IsRefused)
    : QObject(GuardedWindow), Window(GuardedWindow), Refused(std::move(IsRefused)) {
  Window->installEventFilter(this);
}

bool TMinimiseGuard::eventFilter(QObject*, QEvent* Event) {
  if (Event->type() == QEvent::WindowStateChange && Window->isMinimized() && (!Refused || Refused())) {
    // Once the window manager has finished minimising it.
    QMetaObject::invokeMethod(this, [this] {
      Window->showNormal();
      ActivateWindow(Window);
    }, Qt::QueuedConnection);
  }
  return false;
}
