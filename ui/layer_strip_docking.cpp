#include "layer_strip_docking.h"

#include <LayerShellQt/Window>

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "layer_surface_settings.h"
#include "qt/monitors.h"

TLayerStripDocking::TLayerStripDocking(QWidget* Window, int BandHeight) : Strip(Window), Height(BandHeight) {
  Strip->setFixedHeight(Height);
  // The layer surface is asked for when the window is mapped: its settings are made on the
  // window beforehand, which needs the window's platform side.
  Strip->winId();
  Layer = LayerShellQt::Window::get(Strip->windowHandle());
  Layer->setScope(QStringLiteral("vellox"));
  Layer->setLayer(LayerShellQt::Window::LayerTop);
  Layer->setKeyboardInteractivity(LayerShellQt::Window::KeyboardInteractivityOnDemand);
  Layer->setScreenConfiguration(LayerShellQt::Window::ScreenFromCompositor);
  DockAt(TDockEdge::Top);
  Strip->installEventFilter(this);
  Outputs = new TMonitorWatch(this);
  connect(Outputs, &TMonitorWatch::Changed, this, [this] {
    ComebacksSinceOutputsChanged = 0;
    if (Dismissed) ComeBack();
  });
}

void TLayerStripDocking::DockAt(TDockEdge Edge) {
  const TLayerSurfaceSettings Settings = LayerSurfaceSettings(Edge, Height);
  Layer->setAnchors(LayerShellQt::Window::Anchors::fromInt(static_cast<int>(Settings.Anchors)));
  Layer->setExclusiveZone(Settings.ExclusiveZone);
  // A mapped surface takes the new anchors with its next commit.
  Strip->update();
}

void TLayerStripDocking::Showing() { Dismissed = false; }

void TLayerStripDocking::Hidden() {}

bool TLayerStripDocking::eventFilter(QObject* Watched, QEvent* Event) {
  // The compositor closed the surface (its output went away): layer-shell-qt closes the window
  // for it, which must not end the program as the user's close does. The program's own closes are
  // not spontaneous.
  if (Watched != Strip || Event->type() != QEvent::Close || !Event->spontaneous()) return false;
  Event->ignore();
  Dismissed = true;
  QTimer::singleShot(0, this, [this] {
    if (ComebacksSinceOutputsChanged == 0) ComeBack();
  });
  return true;
}

void TLayerStripDocking::ComeBack() {
  if (!Dismissed || !Strip->isVisible()) return;
  ++ComebacksSinceOutputsChanged;
  Dismissed = false;
  Strip->hide();
  Strip->show();
}
