#include "docking/strip_docking.h"

#include <QGuiApplication>

#include "docking/x11_strip_docking.h"
#ifdef VELLOX_LAYER_SHELL
#include "docking/layer_strip_docking.h"
#include "qt/layer_shell_probe.h"
#endif

TDockingKind DockingKindFor(const QString& PlatformName, bool LayerShellOffered) {
  // Qt names its Wayland platforms "wayland" and "wayland-egl" (and the like).
  return LayerShellOffered && PlatformName.startsWith(QLatin1String("wayland")) ? TDockingKind::LayerSurface
                                                                                : TDockingKind::X11;
}

std::unique_ptr<TStripDocking> MakeStripDocking(QWidget* Strip, int Height) {
#ifdef VELLOX_LAYER_SHELL
  const QString Platform = QGuiApplication::platformName();
  // The compositor is asked only on Wayland: on X11 nothing need answer.
  const bool Offered = Platform.startsWith(QLatin1String("wayland")) && CompositorOffersLayerShell();
  if (DockingKindFor(Platform, Offered) == TDockingKind::LayerSurface)
    return std::make_unique<TLayerStripDocking>(Strip, Height);
#endif
  return std::make_unique<TX11StripDocking>(Strip, Height);
}
