#include "platform_decision.h"

namespace {

// The first platform of a QT_QPA_PLATFORM list ("wayland;xcb"), without its options ("xcb:...").
std::string FirstPlatform(const std::string& List) {
  const std::string First = List.substr(0, List.find(';'));
  return First.substr(0, First.find(':'));
}

}  // namespace

std::string PlatformFor(const TPlatformFacts& Facts) {
  if (!Facts.Option.empty()) return Facts.Option;
  if (FirstPlatform(Facts.Environment) == "xcb") return Facts.Environment;
  if (Facts.WaylandSession && Facts.LayerShellOffered && Facts.LayerShellOffered()) return "wayland";
  if (Facts.XDisplayReachable && Facts.XDisplayReachable()) return "xcb";
  return Facts.Environment;
}
