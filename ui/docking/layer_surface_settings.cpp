#include "docking/layer_surface_settings.h"

TLayerSurfaceSettings LayerSurfaceSettings(TDockEdge Edge, int Height) {
  using A = TLayerSurfaceSettings::TAnchor;
  const unsigned EdgeAnchor = Edge == TDockEdge::Top ? A::Top : A::Bottom;
  // The whole height is kept free: maximised windows stop at the strip and nothing lies under it.
  return {EdgeAnchor | A::Left | A::Right, Height, Height};
}
