#pragma once

#include <QByteArray>

class QWidget;

// What the program needs of the X desktop beyond Qt. Each does nothing (or reports success) when
// the application does not run on an X display, as on Qt's offscreen platform.

// Claims the desktop-wide marker of a running copy: an X selection named Name, owned by a small
// window of this process's display connection. Checking and taking it happens under a server
// grab, so of two copies started together exactly one succeeds. The marker goes with the
// connection, so a crashed copy leaves nothing behind, and no file is written. Returns false
// when another copy holds it.
bool ClaimSingleInstance(const QByteArray& Name);

// Keeps a top-level window off task bars and pagers (_NET_WM_STATE_SKIP_TASKBAR and
// _NET_WM_STATE_SKIP_PAGER). Call it whenever the window is about to be shown; the window
// manager reads the state when the window is mapped.
void SetSkipTaskbar(QWidget* Window);

// Whether an X display can be reached through DISPLAY (tried before the application object is
// made, which would end the process without a clear message otherwise).
bool XDisplayReachable();
