#include "docking/layer_strip_docking.h"

#include <LayerShellQt/Window>

#include <algorithm>
#include <utility>

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "docking/layer_surface_settings.h"
#include "qt/monitors.h"
#include "qt/window_activation.h"

namespace {

// The names of the compositor's outputs; none while it has none (Qt then shows a placeholder
// screen without a name).
QStringList CurrentOutputNames() {
  QStringList Names;
  for (const QScreen* Screen : QGuiApplication::screens())
    if (!Screen->name().isEmpty()) Names << Screen->name();
  return Names;
}

}  // namespace

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
  // Left open by the compositor's close, to be mapped again on another output.
  Layer->setCloseOnDismissed(false);
  OutputNames = CurrentOutputNames();
  Outputs = new TMonitorWatch(this);
  connect(Outputs, &TMonitorWatch::Changed, this, &TLayerStripDocking::FollowOutputs);
}

void TLayerStripDocking::DockAt(TDockEdge Edge) {
  const TLayerSurfaceSettings Settings = LayerSurfaceSettings(Edge, Height);
  Layer->setAnchors(LayerShellQt::Window::Anchors::fromInt(static_cast<int>(Settings.Anchors)));
  Layer->setExclusiveZone(Settings.ExclusiveZone);
  // A mapped surface takes the new anchors with its next commit.
  Strip->update();
}

void TLayerStripDocking::Showing() {}

void TLayerStripDocking::Hidden() {}

void TLayerStripDocking::TakeKeys() {
  // Through xdg-activation, where the compositor activates layer surfaces on request (sway 1.10
  // and labwc 0.8 activate only ordinary windows so: there a click into the strip gives the keys).
  ActivateWindow(Strip);
}

void TLayerStripDocking::FollowOutputs() {
  const QStringList Before = std::exchange(OutputNames, CurrentOutputNames());
  const bool OneWent = std::any_of(Before.begin(), Before.end(), [this](const QString& Name) {
    return !OutputNames.contains(Name);
  });
  if (!Strip->isVisible() || !(OneWent || (Before.isEmpty() && !OutputNames.isEmpty()))) return;
  Strip->hide();
  Strip->show();
}
