#include "qt/input_lock.h"

#include <QApplication>
#include <QEvent>

TInputLock::TInputLock(QWidget* LockedWindow) : QObject(LockedWindow), Window(LockedWindow) {}

void TInputLock::SetLocked(bool Locked) {
  if (Locked == FLocked) return;
  FLocked = Locked;
  // While locked the pointer finds the window itself rather than its controls, so no button
  // lights up under it and no hint pops up, as over a disabled window.
  if (!Window.isNull()) {
    for (QWidget* Control : Window->findChildren<QWidget*>())
      Control->setAttribute(Qt::WA_TransparentForMouseEvents, FLocked);
  }
  if (FLocked) {
    qApp->installEventFilter(this);
  } else {
    qApp->removeEventFilter(this);
  }
}

bool TInputLock::eventFilter(QObject* Watched, QEvent* Event) {
  switch (Event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
      break;
    default:
      return false;
  }
  auto* Widget = qobject_cast<QWidget*>(Watched);
  return Widget != nullptr && !Window.isNull() && (Widget == Window || Window->isAncestorOf(Widget));
}
