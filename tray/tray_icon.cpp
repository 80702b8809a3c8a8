#include "tray/tray_icon.h"

#include <QTimerEvent>

#include <algorithm>
#include <cstring>

#include "qt/application.h"
#include "runtime/exceptions.h"
#include "tray/callback_window.h"

std::vector<std::pair<std::string, TTrayIcon*>> IconList;
QPointer<TCallbackWindow> CallbackWindow;

std::vector<std::pair<std::string, TTrayIcon*>>::iterator FindIconEntry(uintptr_t Identifier) {
  const std::string Key = std::to_string(Identifier);
  return std::find_if(IconList.begin(), IconList.end(), [&](const auto& E) { return E.first == Key; });
}

namespace {

constexpr size_t kMaxInstances = 100;
constexpr size_t kMaxTipBytes = 62;
constexpr int kMinAnimateRate = 100;

// The receiving window, made anew (owned by Owner) when the one in use went with its owner.
TCallbackWindow& EnsureCallbackWindow(QObject* Owner) {
  if (CallbackWindow.isNull()) CallbackWindow = new TCallbackWindow(Owner);
  return *CallbackWindow;
}

}  // namespace

TTrayIcon::TTrayIcon(QObject* Owner) : TComponent(Owner) {
  // The next identifier follows the last listed one, not the lowest free one; instances in the
  // designer take identifiers too.
  if (IconList.empty()) {
    FIconID = 1;
  } else {
    FIconID = std::stoi(IconList.back().first) + 1;
    if (IconList.size() >= kMaxInstances) throw EOutOfMemory(kTrayRegisterFailed);
  }
  IconList.emplace_back(std::to_string(FIconID), this);

  if (!Designing()) {
    FIcon.OnChange = [this] { IconChanged(); };
    EnsureCallbackWindow(Owner);
    FNotifyData = std::make_unique<NOTIFYICONDATAA>();
    FNotifyData->cbSize = sizeof(NOTIFYICONDATAA);
    FNotifyData->uCallbackMessage = WM_TRAYNOTIFY;
    FNotifyData->uID = static_cast<uint32_t>(FIconID);
  }
}

TTrayIcon::~TTrayIcon() {
  if (!Designing()) {
    if (FAnimateTimer != 0) killTimer(FAnimateTimer);
    FAnimating = false;
    if (FRegistered) UpdateIcon(NIM_DELETE);
    FNotifyData.reset();
  }
  const auto Entry = FindIconEntry(static_cast<uintptr_t>(FIconID));
  if (Entry != IconList.end()) IconList.erase(Entry);
  FIcon.OnChange = nullptr;
}

void TTrayIcon::UpdateIcon(uint32_t Mode) {
  NOTIFYICONDATAA& Data = *FNotifyData;
  Data.hIcon = FAnimating ? FAnimateImage.Handle() : FIcon.Handle();
  std::memcpy(Data.szTip, FTipHelp.c_str(), FTipHelp.size() + 1);
  Data.uFlags = FTipHelp.empty() ? NIF_MESSAGE | NIF_ICON : NIF_MESSAGE | NIF_ICON | NIF_TIP;
  switch (Mode) {
    case NIM_ADD:
      if (!FVisible) return;
      Data.hWnd = WindowHandleOf(&EnsureCallbackWindow(parent()));
      if (!Shell_NotifyIconA(NIM_ADD, &Data)) throw EOutOfMemory(kTrayRegisterFailed);
      FRegistered = true;
      FHandedMenu = nullptr;  // a new icon holds no menu yet
      UpdateRightButtonMenu();
      break;
    case NIM_MODIFY:
      if (!Shell_NotifyIconA(NIM_MODIFY, &Data)) throw EOutOfMemory(kTrayRegisterFailed);
      break;
    case NIM_DELETE:
      Shell_NotifyIconA(NIM_DELETE, &Data);
      FRegistered = false;
      break;
  }
}

QMenu* TTrayIcon::RightButtonMenu() const { return FEnabled && FAutoPopup ? FRBPopupMenu : nullptr; }

void TTrayIcon::UpdateRightButtonMenu() {
  if (!FRegistered || RightButtonMenu() == FHandedMenu) return;
  FHandedMenu = RightButtonMenu();
  Shell_NotifyIconMenu(FNotifyData->hWnd, FNotifyData->uID, FHandedMenu);
}

void TTrayIcon::IconChanged() {
  if (FRegistered) UpdateIcon(NIM_MODIFY);
}

void TTrayIcon::Loaded() {
  if (!Designing()) UpdateIcon(NIM_ADD);
  TComponent::Loaded();
}

void TTrayIcon::Notification(QObject* Component, TOperation Operation) {
  TComponent::Notification(Component, Operation);
  if (Operation != TOperation::opRemove) return;
  if (Component == FLBPopupMenu || Component == FRBPopupMenu) {
    if (Component == FLBPopupMenu) FLBPopupMenu = nullptr;
    if (Component == FRBPopupMenu) FRBPopupMenu = nullptr;
    UpdateRightButtonMenu();
  } else if (Component == FAnimateIcons) {
    FAnimateIcons = nullptr;
  }
}

void TTrayIcon::SetVisible(bool Value) {
  if (Value == FVisible) return;
  FVisible = Value && !FIcon.Empty();
  if (Designing() || Loading()) return;
  if (FVisible) {
    UpdateIcon(NIM_ADD);
  } else if (FRegistered) {
    UpdateIcon(NIM_DELETE);
  }
}

void TTrayIcon::SetTipHelp(std::string_view Value) {
  // Cut by bytes, so the cut may fall inside a double-byte character.
  const std::string_view Cut = Value.substr(0, kMaxTipBytes);
  if (Cut == FTipHelp) return;
  FTipHelp = Cut;
  if (!Designing() && FRegistered) UpdateIcon(NIM_MODIFY);
}

void TTrayIcon::SetIcon(const TIcon* Value) {
  if (Value == &FIcon) return;
  if (Value != nullptr) {
    FIcon.Assign(*Value);
    return;
  }
  // Emptying the own image is a change like any other: a registered icon is first modified to
  // show no image, then the setter removes it.
  FIcon.SetImage(QIcon());
  SetVisible(false);
}

void TTrayIcon::SetEnabled(bool Value) {
  if (Value == FEnabled) return;
  FEnabled = Value;
  if (!FEnabled) ClickPending = false;
  UpdateRightButtonMenu();
}

void TTrayIcon::SetAutoPopup(bool Value) {
  FAutoPopup = Value;
  UpdateRightButtonMenu();
}

void TTrayIcon::SetAnimateRate(int Value) {
  if (Value == FAnimateRate) return;
  FAnimateRate = std::max(Value, kMinAnimateRate);
  if (FAnimateTimer != 0) {
    killTimer(FAnimateTimer);
    FAnimateTimer = startTimer(FAnimateRate);
  }
}

void TTrayIcon::SetAnimateIcons(TImageList* Value) {
  if (!FAnimating) FAnimateIcons = Value;
  if (FAnimateIcons != nullptr) FreeNotification(FAnimateIcons);
}

void TTrayIcon::SetLBPopupMenu(QMenu* Value) {
  if (Value != FLBPopupMenu) FLBPopupMenu = Value;
  if (FLBPopupMenu != nullptr) FreeNotification(FLBPopupMenu);
}

void TTrayIcon::SetRBPopupMenu(QMenu* Value) {
  if (Value != FRBPopupMenu) FRBPopupMenu = Value;
  if (FRBPopupMenu != nullptr) FreeNotification(FRBPopupMenu);
  UpdateRightButtonMenu();
}

void TTrayIcon::Animate(bool Active) {
  if (Active == FAnimating) return;
  if (Active) {
    if (Designing() || FAnimateIcons == nullptr || FAnimateIcons->Images.isEmpty()) return;
    FAnimating = true;
    FAnimateFrame = 0;
    FAnimateImage.SetImage(FAnimateIcons->Images.first());
    FAnimateTimer = startTimer(FAnimateRate);
  } else {
    FAnimating = false;
    if (FAnimateTimer != 0) killTimer(FAnimateTimer);
    FAnimateTimer = 0;
  }
  if (FRegistered) UpdateIcon(NIM_MODIFY);
}

void TTrayIcon::timerEvent(QTimerEvent* Event) {
  if (Event->timerId() != FAnimateTimer) return TComponent::timerEvent(Event);
  // The image list may have been freed or emptied since the animation started.
  if (FAnimateIcons == nullptr || FAnimateIcons->Images.isEmpty()) return Animate(false);
  FAnimateFrame = (FAnimateFrame + 1) % static_cast<int>(FAnimateIcons->Images.size());
  FAnimateImage.SetImage(FAnimateIcons->Images[FAnimateFrame]);
  if (FRegistered) Application::Guard([this] { UpdateIcon(NIM_MODIFY); });
}
