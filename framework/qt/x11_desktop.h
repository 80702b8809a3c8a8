#pragma once

class QWidget;

// What the program needs of the X desktop beyond Qt. Each does nothing (or reports success) when
// the application does not run on an X display, as on Qt's offscreen platform.

// Gives a top-level window of the strip's family (the strip, the keypad, the message box) the
// state of a panel's window: off task bars and pagers (_NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER) and on every workspace (_NET_WM_DESKTOP 0xFFFFFFFF and
// _NET_WM_STATE_STICKY), so that none of them is left behind on another workspace. Call it
// whenever the window is about to be shown: the window manager reads the state when the window is
// mapped, and forgets it when the window is withdrawn.
void SetAccessoryWindowState(QWidget* Window);

// Makes Window a dock window (_NET_WM_WINDOW_TYPE_DOCK) instead of the ordinary window Qt makes
// it. Window managers let a dock lie in the band it reserves itself; some (mutter, metacity) keep
// an ordinary window inside the work area, which that band has already left. The window manager
// reads the type as it changes and when the window is mapped: call it again whenever the window is
// about to be shown.
void SetDockWindowType(QWidget* Window);

// Whether an X display can be reached through DISPLAY (tried before the application object is
// made, which would end the process without a clear message otherwise).
bool XDisplayReachable();
