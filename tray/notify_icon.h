#pragma once

#include <cstdint>
#include <functional>

#include "qt/window_messages.h"

class QMenu;

// The notification area as the tray icon component sees it: one call shaped like the shell's
// notify-icon call, taking a command and the 88-byte record of one icon.

constexpr uint32_t NIM_ADD = 0;
constexpr uint32_t NIM_MODIFY = 1;
constexpr uint32_t NIM_DELETE = 2;

constexpr uint32_t NIF_MESSAGE = 1;
constexpr uint32_t NIF_ICON = 2;
constexpr uint32_t NIF_TIP = 4;

// The callback message the notification area sends for an icon: wParam is the icon's
// identifier, lParam the mouse message.
constexpr uint32_t WM_USER = 0x400;
constexpr uint32_t WM_TRAYNOTIFY = WM_USER + 200;  // 1224

constexpr intptr_t WM_MOUSEMOVE = 0x200;
constexpr intptr_t WM_LBUTTONDOWN = 0x201;
constexpr intptr_t WM_LBUTTONUP = 0x202;
constexpr intptr_t WM_LBUTTONDBLCLK = 0x203;
constexpr intptr_t WM_RBUTTONDOWN = 0x204;
constexpr intptr_t WM_RBUTTONUP = 0x205;
constexpr intptr_t WM_RBUTTONDBLCLK = 0x206;
constexpr intptr_t WM_MBUTTONDOWN = 0x207;
constexpr intptr_t WM_MBUTTONUP = 0x208;
constexpr intptr_t WM_MBUTTONDBLCLK = 0x209;

// One icon's record, laid out as the shell reads it (little-endian, no padding).
struct NOTIFYICONDATAA {
  uint32_t cbSize;            // 88
  uint32_t hWnd;              // the window that receives the callback message
  uint32_t uID;               // the icon's identifier
  uint32_t uFlags;            // which of the fields below are valid: NIF_*
  uint32_t uCallbackMessage;  // WM_TRAYNOTIFY
  uint32_t hIcon;             // the image, as a TIcon handle
  char szTip[64];             // the tip, Shift-JIS, zero-terminated
};
static_assert(sizeof(NOTIFYICONDATAA) == 88, "the record is 88 bytes");

// The notification area. Returns true on success; the result of a delete is not relied on.
class NotifyIconShell {
public:
  virtual ~NotifyIconShell() = default;
  virtual bool NotifyIcon(uint32_t Message, const NOTIFYICONDATAA& Data) = 0;
  // The menu the notification area may show itself on a right click over the icon (Window,
  // Identifier) of an added record, or none. A StatusNotifierItem host draws a program's menu
  // itself and then reports no right click; an XEmbed tray leaves menus to the program, so there
  // it changes nothing. The record's delete forgets it.
  virtual void SetIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu) = 0;
  // Whether a notification area is running now, so that an icon can be seen and clicked. The
  // first question may start watching the desktop for one.
  virtual bool Available() = 0;
  // Run on the user-interface thread when a notification area may have appeared or gone away.
  std::function<void()> AvailabilityChanged;
};

// The shell every tray icon talks to: the one set last, or the desktop's (QtNotifyIconShell),
// created on first use.
NotifyIconShell& CurrentNotifyIconShell();
void SetNotifyIconShell(NotifyIconShell* Shell);

// The calls the tray icon component makes.
bool Shell_NotifyIconA(uint32_t Message, const NOTIFYICONDATAA* Data);
void Shell_NotifyIconMenu(HWND Window, uint32_t Identifier, QMenu* Menu);
