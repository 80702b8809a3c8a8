#include "qt/layer_shell_probe.h"

#include <wayland-client.h>

#include <cstring>

namespace {

void Announced(void* Data, wl_registry*, uint32_t, const char* Interface, uint32_t) {
  if (std::strcmp(Interface, "zwlr_layer_shell_v1") == 0) *static_cast<bool*>(Data) = true;
}

void Withdrawn(void*, wl_registry*, uint32_t) {}

const wl_registry_listener kListener = {Announced, Withdrawn};

bool AskCompositor() {
  wl_display* Display = wl_display_connect(nullptr);
  if (Display == nullptr) return false;
  bool Offered = false;
  wl_registry* Registry = wl_display_get_registry(Display);
  wl_registry_add_listener(Registry, &kListener, &Offered);
  // One round trip: the registry announces every global in answer to get_registry.
  const bool Answered = wl_display_roundtrip(Display) >= 0;
  wl_registry_destroy(Registry);
  wl_display_disconnect(Display);
  return Answered && Offered;
}

}  // namespace

bool CompositorOffersLayerShell() {
  // Start-up asks before Qt starts and again when it docks the strip: the compositor is asked once.
  static const bool Offered = AskCompositor();
  return Offered;
}
