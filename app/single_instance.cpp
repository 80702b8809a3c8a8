#include "single_instance.h"

#include <QCoreApplication>

#include <unistd.h>

#include "qt/bus_instance_name.h"
#include "qt/x11_instance_marker.h"

namespace {

// The X marker: one per X display and user.
QByteArray SelectionName() { return "_VELLOX_TVellox1_" + QByteArray::number(getuid()); }

// The bus name: one per display of the session on the user's bus (which may serve several
// sessions at once). A Wayland session is named by its Wayland display, which its XWayland and
// its native copies share; any other by its X display.
QString BusName() {
  QString Display = qEnvironmentVariable("WAYLAND_DISPLAY");
  if (Display.isEmpty()) Display = qEnvironmentVariable("DISPLAY");
  QString Element;
  for (const QChar Character : Display)
    Element += Character.isLetterOrNumber() && Character.unicode() < 128 ? Character : QLatin1Char('_');
  if (Element.isEmpty() || Element.front().isDigit()) Element.prepend(QLatin1Char('_'));
  return QStringLiteral("org.vellox.Strip.") + Element;
}

}  // namespace

bool ClaimSingleInstance(const std::function<void()>& ShowRequested) {
  static TX11InstanceMarker Marker(SelectionName());
  Marker.OnShowRequested = ShowRequested;
  const TX11InstanceMarker::TClaim OnX = Marker.Claim();
  if (OnX == TX11InstanceMarker::TClaim::HeldElsewhere) return false;
  // On a plain X11 display the selection alone decides, and start-up needs no session bus.
  if (OnX == TX11InstanceMarker::TClaim::Claimed && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return true;
  auto* Name = new TBusInstanceName(BusName(), QCoreApplication::instance());
  Name->OnShowRequested = ShowRequested;
  return Name->Claim() != TBusInstanceName::TClaim::HeldElsewhere;
}
