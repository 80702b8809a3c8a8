#pragma once

#include <QAbstractNativeEventFilter>
#include <QObject>
#include <QRect>
#include <QSize>
#include <QTimer>

#include <optional>
#include <vector>

class QWidget;

// The space a window reserves along the edges of the X screen, as panels do (the EWMH partial
// strut): how far in from each edge of the root window, in device pixels, and the span along that
// edge it holds (first and last pixel).
struct TStrut {
  int Left = 0, Right = 0, Top = 0, Bottom = 0;
  int LeftStartY = 0, LeftEndY = 0, RightStartY = 0, RightEndY = 0;
  int TopStartX = 0, TopEndX = 0, BottomStartX = 0, BottomEndX = 0;

  bool operator==(const TStrut&) const = default;
};

// The X screen and what the desktop's other windows (panels, docks) reserve of it.
struct TScreenEdges {
  QSize Screen;                 // the root window's size in device pixels
  std::vector<TStrut> Reserved;  // each reserving window's strut
  // The window manager's work area of each monitor, where it tells them (_GTK_WORKAREAS_D<n>, as
  // mutter does): they also leave out the panels a compositor draws itself and reserves no strut
  // for, GNOME Shell's top bar. Read while this program reserves nothing, and kept since: its own
  // band would be counted in them too.
  std::vector<QRect> WorkAreas;

  bool operator==(const TScreenEdges&) const = default;
};

// The edges as they are now: the struts of the windows the window manager manages
// (_NET_CLIENT_LIST), read from _NET_WM_STRUT_PARTIAL or else _NET_WM_STRUT, leaving out this
// program's own windows, and the monitors' work areas as above. Not _NET_WORKAREA: it counts the
// strip's own strut too, and one monitor's panels on every other monitor. Off X11 nothing
// is reserved and the screen is the monitors' bounding box.
TScreenEdges CurrentScreenEdges();

// Makes Window reserve Strut (_NET_WM_STRUT_PARTIAL, and _NET_WM_STRUT for window managers that
// know only that), or nothing when Strut is none.
void SetStrut(QWidget* Window, const std::optional<TStrut>& Strut);

// Tells when what other windows reserve has changed: looked at when a window the window manager
// manages came or went, or one changed its strut (this program's own windows' struts do not
// count), and told only when the edges differ from the last look. An ordinary window that opens
// or closes changes nothing. A burst is looked at once, on the event loop's next turn.
class TScreenEdgesWatch : public QObject, public QAbstractNativeEventFilter {
  Q_OBJECT
public:
  explicit TScreenEdgesWatch(QObject* Parent = nullptr);
  ~TScreenEdgesWatch() override;

  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

signals:
  void Changed();

private:
  QTimer Settle;
  std::optional<TScreenEdges> Seen;  // the edges at the last look; none before the first
  uint32_t ClientList = 0, StrutPartial = 0, StrutFull = 0;  // the atoms, once on X11
  // Listens for property changes on the root window and on every managed window but this
  // program's own, keeping whatever else this connection listens for there. Run again after each
  // change, for the windows that came since.
  void ListenToClients();
};
