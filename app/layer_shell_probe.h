#pragma once

// Whether the Wayland compositor of WAYLAND_DISPLAY offers wlr-layer-shell (zwlr_layer_shell_v1),
// asked of its registry on a connection of its own before Qt starts. False when no compositor
// answers.
bool CompositorOffersLayerShell();
