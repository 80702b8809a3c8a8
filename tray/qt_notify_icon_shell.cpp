#include "qt_notify_icon_shell.h"

#include <QTimer>

#include <cstring>

#include "qt/icon.h"
#include "runtime/cp932.h"
#include "status_notifier_watch.h"
#include "xembed_tray_watch.h"

namespace {

// The mouse messages of one activation, in the order a click produces them.
std::pair<intptr_t, intptr_t> MouseMessages(QSystemTrayIcon::ActivationReason Reason) {
  switch (Reason) {
    case QSystemTrayIcon::Trigger: return {WM_LBUTTONDOWN, WM_LBUTTONUP};
    case QSystemTrayIcon::DoubleClick: return {WM_LBUTTONDBLCLK, WM_LBUTTONUP};
    case QSystemTrayIcon::Context: return {WM_RBUTTONDOWN, WM_RBUTTONUP};
    case QSystemTrayIcon::MiddleClick: return {WM_MBUTTONDOWN, WM_MBUTTONUP};
    default: return {0, 0};
  }
}

}  // namespace

void QtNotifyIconShell::Apply(QSystemTrayIcon& Icon, const NOTIFYICONDATAA& Data) {
  if (Data.uFlags & NIF_ICON) {
    const TIcon* Image = TIcon::FromHandle(Data.hIcon);
    Icon.setIcon(Image != nullptr ? Image->Image() : QIcon());
  }
  const size_t TipLength = strnlen(Data.szTip, sizeof Data.szTip);
  const std::string Tip = (Data.uFlags & NIF_TIP) ? std::string(Data.szTip, TipLength) : std::string();
  Icon.setToolTip(QString::fromStdString(Cp932ToUtf8(Tip)));
}

QtNotifyIconShell::TKind QtNotifyIconShell::Decide() const {
  if (Kind != TKind::Undecided) return Kind;
  // Qt's own choice is made at its first question and kept for the process; asked right after
  // the shell's, so the two are made on the same state of the session bus.
  const bool OverBus = TStatusNotifierWatch::HostRegistered();
  QSystemTrayIcon::isSystemTrayAvailable();
  Kind = OverBus ? TKind::StatusNotifier : TKind::XEmbed;
  auto* Self = const_cast<QtNotifyIconShell*>(this);
  auto Changed = [Self] {
    if (Self->AvailabilityChanged) Self->AvailabilityChanged();
  };
  if (Kind == TKind::StatusNotifier) {
    Hosts = new TStatusNotifierWatch(Self);
    connect(Hosts, &TStatusNotifierWatch::Changed, Self, Changed);
  } else {
    Tray = new TXEmbedTrayWatch(Self);
    connect(Tray, &TXEmbedTrayWatch::Changed, Self, Changed);
  }
  return Kind;
}

bool QtNotifyIconShell::Available() const {
  return Decide() == TKind::StatusNotifier ? TStatusNotifierWatch::HostRegistered() : Tray->Running();
}

void QtNotifyIconShell::SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) {
  // Called only when the icon's menu changed (a freed one becomes none).
  const auto Found = Icons.find({Window, Identifier});
  if (Found == Icons.end()) return;
  Found->second.Menu = Menu;
  // Qt exports a tray icon's menu once and cannot take it back (nor be given another after the
  // first was freed), so an icon on the bus is made anew, on the next turn like the first time.
  if (Found->second.Icon && Decide() == TKind::StatusNotifier) {
    Found->second.Icon.reset();
    ShowLater(Found->first);
  }
}

bool QtNotifyIconShell::NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) {
  const Key Id{Data.hWnd, Data.uID};
  const auto Found = Icons.find(Id);
  switch (Message) {
    case NIM_ADD:
      if (Found != Icons.end()) return false;  // the icon is there already
      Icons.emplace(Id, Entry{Data, nullptr, nullptr});
      ShowLater(Id);
      return true;
    case NIM_MODIFY:
      if (Found == Icons.end()) return false;
      Found->second.Data = Data;
      if (Found->second.Icon) Apply(*Found->second.Icon, Data);
      return true;
    case NIM_DELETE:
      if (Found == Icons.end()) return false;
      Icons.erase(Found);
      return true;
    default:
      return false;
  }
}

void QtNotifyIconShell::ShowLater(const Key& Id) {
  // Qt's tray icon is made on the next turn of the event loop: making it opens the session bus
  // and the tray's window, which need not hold up the first showing of the program's window.
  // Until then a change only updates the record.
  QTimer::singleShot(0, this, [this, Id] { Show(Id); });
}

void QtNotifyIconShell::Show(const Key& Id) {
  const auto Found = Icons.find(Id);
  if (Found == Icons.end() || Found->second.Icon) return;  // deleted (or added again) meanwhile
  const NOTIFYICONDATAA& Data = Found->second.Data;
  const bool OverBus = Decide() == TKind::StatusNotifier;
  auto Icon = std::make_unique<QSystemTrayIcon>();
  Apply(*Icon, Data);
  // Under XEmbed Qt would pop a tray icon's menu up itself, besides the program's own popup.
  if (OverBus && !Found->second.Menu.isNull()) Icon->setContextMenu(Found->second.Menu);
  const HWND Window = Data.hWnd;
  const uint32_t Identifier = Data.uID;
  const uint32_t Callback = Data.uCallbackMessage;
  connect(Icon.get(), &QSystemTrayIcon::activated, this,
          [Window, Identifier, Callback](QSystemTrayIcon::ActivationReason Reason) {
            const auto [First, Second] = MouseMessages(Reason);
            if (First == 0) return;
            PostMessage(Window, Callback, Identifier, First);
            PostMessage(Window, Callback, Identifier, Second);
          });
  Icon->show();
  Found->second.Icon = std::move(Icon);
}
