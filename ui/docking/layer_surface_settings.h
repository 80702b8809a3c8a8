#pragma once

#include "docking/strip_placement.h"

// What the strip asks of a Wayland compositor as a layer surface (wlr-layer-shell) docked at an
// edge: the edges of the output it is anchored to (left and right make it as wide as the output),
// its height and the band it keeps free of other windows, in the surface's own (logical) pixels,
// so the same at every scale.
struct TLayerSurfaceSettings {
  // The anchor edges as the protocol numbers them.
  enum TAnchor : unsigned { Top = 1, Bottom = 2, Left = 4, Right = 8 };
  unsigned Anchors = 0;
  int Height = 0;
  int ExclusiveZone = 0;

  bool operator==(const TLayerSurfaceSettings&) const = default;
};

TLayerSurfaceSettings LayerSurfaceSettings(TDockEdge Edge, int Height);
