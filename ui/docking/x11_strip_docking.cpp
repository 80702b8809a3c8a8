#include "docking/x11_strip_docking.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "qt/window_activation.h"
#include "qt/x11_desktop.h"

TX11StripDocking::TX11StripDocking(QWidget* Window, int BandHeight)
    : Strip(Window), Height(BandHeight) {
  // The size hints fix the height, so that a window manager with a least window height of its own
  // (labwc's 60 pixels) keeps the strip at its height.
  Strip->setFixedHeight(Height);
  // Where the window manager put the strip is looked at once it has had its say: each of its
  // moves starts the wait again.
  PlacementCheck = new QTimer(this);
  PlacementCheck->setSingleShot(true);
  PlacementCheck->setInterval(200);
  connect(PlacementCheck, &QTimer::timeout, this, &TX11StripDocking::KeepInBand);
  Strip->installEventFilter(this);
  // Every change of the monitors docks the strip again, at its edge of the primary monitor, and
  // so does a panel that comes, goes or changes what it reserves.
  Monitors = new TMonitorWatch(this);
  connect(Monitors, &TMonitorWatch::Changed, this, &TX11StripDocking::Dock);
  ScreenEdges = new TScreenEdgesWatch(this);
  connect(ScreenEdges, &TScreenEdgesWatch::Changed, this, &TX11StripDocking::Dock);
}

void TX11StripDocking::DockAt(TDockEdge NewEdge) {
  Edge = NewEdge;
  Dock();
}

void TX11StripDocking::Dock() {
  const std::vector<TMonitor> Layout = CurrentMonitors();
  DockedOn = DockMonitor(Layout);
  if (!DockedOn) return;
  const TScreenEdges Others = CurrentScreenEdges();
  Docked = StripPlacement(*DockedOn, Edge, Height, Others);
  Reserved = StripStrut(Docked, Edge, Layout, Others.Screen);
  PlaceWindow(Strip, Docked, *DockedOn);
  if (Strip->isVisible()) SetStrut(Strip, Reserved);
}

void TX11StripDocking::KeepInBand() {
  if (DockWindow || !DockedOn || !Strip->isVisible() || !NeedsDockWindow(Docked, Edge, PlacedGeometry(Strip))) return;
  // The band stays reserved as it was, so nothing else moves: the strip rests there.
  DockWindow = true;
  SetDockWindowType(Strip);
  PlaceWindow(Strip, Docked, *DockedOn);
}

void TX11StripDocking::Showing() {
  // Off task bars and pagers, on every workspace, as a panel.
  SetAccessoryWindowState(Strip);
  if (DockWindow) SetDockWindowType(Strip);
  SetStrut(Strip, Reserved);
  // Qt maps the window at its own rounding of the geometry; the exact device pixels follow.
  QMetaObject::invokeMethod(this, [this] {
    if (!DockedOn || !Strip->isVisible()) return;
    PlaceWindow(Strip, Docked, *DockedOn);
    if (!DockWindow) PlacementCheck->start();
  }, Qt::QueuedConnection);
}

void TX11StripDocking::Hidden() {
  // Hidden, the strip gives its band back to the other windows.
  SetStrut(Strip, std::nullopt);
}

void TX11StripDocking::TakeKeys() { ActivateWindow(Strip); }

bool TX11StripDocking::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == Strip && Event->type() == QEvent::Move && !DockWindow) PlacementCheck->start();
  return false;
}
