#pragma once

// Whether the Wayland compositor of WAYLAND_DISPLAY offers wlr-layer-shell (zwlr_layer_shell_v1),
// asked of its registry on a connection of its own (one round trip), so that it can be asked
// before Qt starts too; the answer of the first question stands for the run. False when no
// compositor answers.
bool CompositorOffersLayerShell();
