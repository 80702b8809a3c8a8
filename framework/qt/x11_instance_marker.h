#pragma once

#include <QAbstractNativeEventFilter>
#include <QByteArray>

#include <functional>

#include <xcb/xcb.h>

// The marker of a running copy on an X display: an X selection named Name, owned by a small window
// of the application's display connection. Checking and taking it happens under a server grab, so
// of two copies started together exactly one succeeds. The marker goes with the connection, so a
// crashed copy leaves nothing behind, and no file is written.
//
// A later start that finds the marker held sends the owner window a client message; the copy
// that holds it then runs OnShowRequested on its event loop.
class TX11InstanceMarker : public QAbstractNativeEventFilter {
public:
  enum class TClaim { Claimed, HeldElsewhere, NoDisplay };

  explicit TX11InstanceMarker(QByteArray Name);
  ~TX11InstanceMarker() override;

  // Claims the marker on the application's X connection. When another copy holds it, that copy
  // is asked to show itself. NoDisplay when the application does not run on X11.
  TClaim Claim();

  std::function<void()> OnShowRequested;

  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

private:
  const QByteArray Name;
  xcb_window_t Owner = XCB_WINDOW_NONE;  // the owner window, while this copy holds the marker
  xcb_atom_t ShowRequest = XCB_ATOM_NONE;
};
