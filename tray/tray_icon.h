#pragma once

#include <QMenu>
#include <QPointer>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "qt/component.h"
#include "qt/icon.h"
#include "tray/notify_icon.h"

class TCallbackWindow;
class TTrayIcon;

enum TMouseButton { mbLeft = 0, mbRight = 1, mbMiddle = 2 };

// The shift set of a mouse event; only the pressed button's element is ever set.
using TShiftState = int;
constexpr TShiftState ssLeft = 8;
constexpr TShiftState ssRight = 16;
constexpr TShiftState ssMiddle = 32;

// Every live instance under its identifier in decimal, in creation order. Not owning.
extern std::vector<std::pair<std::string, TTrayIcon*>> IconList;

// The entry of IconList whose string is Identifier in decimal, found from the first; end() if none.
std::vector<std::pair<std::string, TTrayIcon*>>::iterator FindIconEntry(uintptr_t Identifier);

// The one window that receives every instance's callback messages: created by the first instance
// made outside the designer, owned by that instance's owner. Null until then, and again after
// its owner is gone (the next instance then makes a new one).
extern QPointer<TCallbackWindow> CallbackWindow;

// The message of a refused notification-area call and of too many instances (shown through the
// translation of the context "Exception").
inline constexpr const char* kTrayRegisterFailed = QT_TRANSLATE_NOOP("Exception", "タスクトレイにアイコンを登録できません。");

// A non-visual component that keeps one icon with a tip text in the notification area, in step
// with its properties, and turns the mouse activity on it into events and popup menus (through
// CallbackWindow). At most 100 instances live at once.
class TTrayIcon : public TComponent {
  Q_OBJECT
public:
  using TNotifyEvent = std::function<void(TTrayIcon& Sender)>;
  using TMouseEvent = std::function<void(TTrayIcon& Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
  using TMouseMoveEvent = std::function<void(TTrayIcon& Sender, TShiftState Shift, int X, int Y)>;

  // Raises EOutOfMemory kTrayRegisterFailed when 100 instances are listed already.
  explicit TTrayIcon(QObject* Owner);
  ~TTrayIcon() override;

  // Published properties, in the order a form description stores them.
  TImageList* AnimateIcons() const { return FAnimateIcons; }
  void SetAnimateIcons(TImageList* Value);          // ignored while animating
  int AnimateRate() const { return FAnimateRate; }  // milliseconds per frame, 100 at least
  void SetAnimateRate(int Value);
  bool AutoPopup() const { return FAutoPopup; }
  void SetAutoPopup(bool Value);
  bool Enabled() const { return FEnabled; }
  void SetEnabled(bool Value);                      // disabling drops a pending click
  const TIcon& Icon() const { return FIcon; }
  void SetIcon(const TIcon* Value);                 // copies; null empties and hides
  QMenu* LBPopupMenu() const { return FLBPopupMenu; }
  void SetLBPopupMenu(QMenu* Value);
  QMenu* RBPopupMenu() const { return FRBPopupMenu; }
  void SetRBPopupMenu(QMenu* Value);
  const std::string& TipHelp() const { return FTipHelp; }  // Shift-JIS
  void SetTipHelp(std::string_view Value);          // keeps the first 62 bytes
  bool Visible() const { return FVisible; }
  void SetVisible(bool Value);                      // an empty image cannot be made visible
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseMoveEvent OnMouseMove;
  TMouseEvent OnMouseUp;

  void Loaded() override;

  // Cycles the icon through the images of AnimateIcons, one every AnimateRate milliseconds,
  // while Active; the notification area follows while the icon is registered.
  void Animate(bool Active);
  bool Animating() const { return FAnimating; }

  // The menu that a right press pops up: RBPopupMenu while enabled and AutoPopup is on, else
  // none. A notification area that draws a program's menu itself (a StatusNotifierItem host) is
  // handed this one while the icon is registered, so that the right button shows the same menu
  // there too.
  QMenu* RightButtonMenu() const;

  int IconID() const { return FIconID; }
  bool Registered() const { return FRegistered; }
  // The record last handed to the notification area; null in the designer.
  const NOTIFYICONDATAA* NotifyData() const { return FNotifyData.get(); }

  // The single/double-click detection flag, driven by the callback window.
  bool ClickPending = false;

protected:
  void Notification(QObject* Component, TOperation Operation) override;

private:
  int FIconID = 0;
  bool FRegistered = false;
  std::unique_ptr<NOTIFYICONDATAA> FNotifyData;
  TImageList* FAnimateIcons = nullptr;
  int FAnimateRate = 500;
  bool FAutoPopup = true;
  bool FEnabled = true;
  TIcon FIcon;
  QMenu* FLBPopupMenu = nullptr;
  QMenu* FRBPopupMenu = nullptr;
  std::string FTipHelp = "TipHelp";
  bool FVisible = false;
  bool FAnimating = false;
  int FAnimateTimer = 0;
  int FAnimateFrame = 0;
  TIcon FAnimateImage;  // the current frame
  QMenu* FHandedMenu = nullptr;  // the right-button menu the notification area holds

  void UpdateIcon(uint32_t Mode);
  void UpdateRightButtonMenu();
  void IconChanged();
  void timerEvent(QTimerEvent* Event) override;
};
