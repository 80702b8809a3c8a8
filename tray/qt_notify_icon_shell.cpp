#include "tray/qt_notify_icon_shell.h"

#include <QTimer>

#include <cstring>

#include "qt/icon.h"
#include "runtime/cp932.h"
#include "tray/session_bus_link.h"
#include "tray/status_notifier_watch.h"
#include "tray/xembed_tray_watch.h"

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

// Sends an icon's activations to the record's window as callback messages.
template <class Icon>
void ForwardActivations(Icon& Shown, QObject* Context, const NOTIFYICONDATAA& Data) {
  const HWND Window = Data.hWnd;
  const uint32_t Identifier = Data.uID;
  const uint32_t Callback = Data.uCallbackMessage;
  QObject::connect(&Shown, &Icon::activated, Context,
                   [Window, Identifier, Callback](QSystemTrayIcon::ActivationReason Reason) {
                     const auto [First, Second] = MouseMessages(Reason);
                     if (First == 0) return;
                     PostMessage(Window, Callback, Identifier, First);
                     PostMessage(Window, Callback, Identifier, Second);
                   });
}

}  // namespace

void QtNotifyIconShell::Apply(Entry& Shown) {
  const NOTIFYICONDATAA& Data = Shown.Data;
  QIcon Image;
  if (Data.uFlags & NIF_ICON) {
    const TIcon* Handle = TIcon::FromHandle(Data.hIcon);
    if (Handle != nullptr) Image = Handle->Image();
  }
  const size_t TipLength = strnlen(Data.szTip, sizeof Data.szTip);
  const std::string Tip = (Data.uFlags & NIF_TIP) ? std::string(Data.szTip, TipLength) : std::string();
  const QString TipText = QString::fromStdString(Cp932ToUtf8(Tip));
  if (auto* OnBus = std::get_if<std::unique_ptr<TStatusNotifierItem>>(&Shown.Icon)) {
    if (Data.uFlags & NIF_ICON) (*OnBus)->SetImage(Image);
    (*OnBus)->SetTip(TipText);
  } else if (auto* InTray = std::get_if<std::unique_ptr<TXEmbedTrayIcon>>(&Shown.Icon)) {
    if (Data.uFlags & NIF_ICON) (*InTray)->SetImage(Image);
    (*InTray)->setToolTip(TipText);
  }
}

void QtNotifyIconShell::Watch() {
  if (Bus != nullptr) return;
  Bus = new TSessionBusLink(this);
  Hosts = new TStatusNotifierWatch(*Bus, this);
  Tray = new TXEmbedTrayWatch(this);
  // A change is looked at on the next turn, once: a panel that starts may report several.
  const auto Changed = [this] {
    if (ReconsiderPending) return;
    ReconsiderPending = true;
    QTimer::singleShot(0, this, &QtNotifyIconShell::Reconsider);
  };
  connect(Hosts, &TStatusNotifierWatch::Changed, this, Changed);
  connect(Tray, &TXEmbedTrayWatch::Changed, this, Changed);
}

QtNotifyIconShell::Placement QtNotifyIconShell::WhereNow() {
  Watch();
  const std::optional<bool> HostHere = Hosts->HostOnThisDisplay();
  // A watcher that does not answer moves no icon.
  if (!HostHere && Placed) return *Placed;
  if (HostHere.value_or(false)) return {TKind::StatusNotifier, XCB_WINDOW_NONE, 0, Bus->Connections()};
  return {TKind::XEmbed, Tray->Manager(), Tray->Changes(), 0};
}

bool QtNotifyIconShell::Available() {
  const Placement Now = WhereNow();
  return Now.Kind == TKind::StatusNotifier || Now.Tray != XCB_WINDOW_NONE;
}

void QtNotifyIconShell::Reconsider() {
  ReconsiderPending = false;
  if (Placed) {
    const Placement Now = WhereNow();
    if (Now != *Placed) {
      Placed = Now;
      for (auto& [Id, Shown] : Icons) {
        if (std::holds_alternative<std::monostate>(Shown.Icon)) continue;  // still to be made
        Shown.Icon = std::monostate();
        ShowLater(Id);
      }
    }
  }
  if (AvailabilityChanged) AvailabilityChanged();
}

void QtNotifyIconShell::SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) {
  // Called only when the icon's menu changed (a freed one becomes none).
  const auto Found = Icons.find({Window, Identifier});
  if (Found == Icons.end()) return;
  Found->second.Menu = Menu;
  // A host reads an item's menu once, so an icon on the bus is made anew, on the next turn like
  // the first time.
  if (std::holds_alternative<std::unique_ptr<TStatusNotifierItem>>(Found->second.Icon)) {
    Found->second.Icon = std::monostate();
    ShowLater(Found->first);
  }
}

bool QtNotifyIconShell::NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) {
  const Key Id{Data.hWnd, Data.uID};
  const auto Found = Icons.find(Id);
  switch (Message) {
    case NIM_ADD:
      if (Found != Icons.end()) return false;  // the icon is there already
      Icons.emplace(Id, Entry{Data, nullptr, std::monostate()});
      ShowLater(Id);
      return true;
    case NIM_MODIFY:
      if (Found == Icons.end()) return false;
      Found->second.Data = Data;
      Apply(Found->second);
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
  // An icon is made on the next turn of the event loop: making it asks the session bus and the
  // display, which need not hold up the first showing of the program's window. Until then a
  // change only updates the record.
  QTimer::singleShot(0, this, [this, Id] { Show(Id); });
}

void QtNotifyIconShell::Show(const Key& Id) {
  const auto Found = Icons.find(Id);
  if (Found == Icons.end() || !std::holds_alternative<std::monostate>(Found->second.Icon)) return;
  if (!Placed) Placed = WhereNow();
  Entry& Shown = Found->second;
  if (Placed->Kind == TKind::StatusNotifier) {
    auto Icon = std::make_unique<TStatusNotifierItem>(Shown.Menu.data());
    ForwardActivations(*Icon, this, Shown.Data);
    Shown.Icon = std::move(Icon);
  } else {
    auto Icon = std::make_unique<TXEmbedTrayIcon>(Placed->Tray);
    ForwardActivations(*Icon, this, Shown.Data);
    Shown.Icon = std::move(Icon);
  }
  Apply(Shown);
}
