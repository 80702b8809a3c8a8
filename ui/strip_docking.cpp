#include "strip_docking.h"

#include <QGuiApplication>

#include "x11_strip_docking.h"
#ifdef VELLOX_LAYER_SHELL
#include "layer_strip_docking.h"
#endif

TDockingKind DockingKindFor(const QString& PlatformName, bool LayerShellBuilt) {
  // Qt names its Wayland platforms "wayland" and "wayland-egl" (and the like).
  return LayerShellBuilt && PlatformName.startsWith(QLatin1String("wayland")) ? TDockingKind::LayerSurface
                                                                              : TDockingKind::X11;
}

std::unique_ptr<TStripDocking> MakeStripDocking(QWidget* Strip, int Height) {
#ifdef VELLOX_LAYER_SHELL
  if (DockingKindFor(QGuiApplication::platformName(), true) == TDockingKind::LayerSurface)
    return std::make_unique<TLayerStripDocking>(Strip, Height);
#endif
  return std::make_unique<TX11StripDocking>(Strip, Height);
}
