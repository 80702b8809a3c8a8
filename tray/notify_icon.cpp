#include "tray/notify_icon.h"

#include <QCoreApplication>

#include "tray/qt_notify_icon_shell.h"

namespace {

NotifyIconShell* Current = nullptr;

}  // namespace

NotifyIconShell& CurrentNotifyIconShell() {
  if (Current == nullptr) {
    // The desktop's notification area lives as long as the application object.
    auto* Desktop = new QtNotifyIconShell;
    Desktop->setParent(QCoreApplication::instance());
    QObject::connect(Desktop, &QObject::destroyed, [Desktop] {
      if (Current == Desktop) Current = nullptr;
    });
    Current = Desktop;
  }
  return *Current;
}

void SetNotifyIconShell(NotifyIconShell* Shell) { Current = Shell; }

bool Shell_NotifyIconA(uint32_t Message, const NOTIFYICONDATAA* Data) {
  return CurrentNotifyIconShell().NotifyIcon(Message, *Data);
}

void Shell_NotifyIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) {
  CurrentNotifyIconShell().SetIconMenu(Window, Identifier, Menu);
}
