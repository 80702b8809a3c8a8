#include "platform_choice.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform_decision.h"
#include "qt/x11_desktop.h"
#ifdef VELLOX_LAYER_SHELL
#include "qt/layer_shell_probe.h"
#endif

namespace {

// The platform Qt is started on, for the message when it cannot be.
QByteArray Chosen;

// The value of Qt's own option "-platform NAME" (also written "--platform"), empty without it.
QByteArray PlatformOption(int argc, char** argv) {
  for (int Index = 1; Index + 1 < argc; ++Index) {
    if (std::strcmp(argv[Index], "-platform") == 0 || std::strcmp(argv[Index], "--platform") == 0)
      return argv[Index + 1];
  }
  return {};
}

struct HeldMessage {
  QtMsgType Type;
  QByteArray File, Function, Category;
  int Line;
  QString Text;
};
std::vector<HeldMessage> Held;

void HoldOrFail(QtMsgType Type, const QMessageLogContext& Context, const QString& Text) {
  if (Type != QtFatalMsg) {
    Held.push_back({Type, Context.file, Context.function, Context.category, Context.line, Text});
    return;
  }
  // Qt's own account is several lines; the first thing it said (the xcb plugin's "could not
  // connect to display", say), or else its "Could not ..." line, tells the user why.
  QString Reason = Held.empty() ? QString() : Held.front().Text;
  if (Reason.isEmpty()) {
    const QStringList Lines = Text.split(QLatin1Char('\n'));
    Reason = Lines.first();
    for (const QString& Line : Lines)
      if (Line.startsWith(QLatin1String("Could not"))) Reason = Line;
  }
  std::fprintf(stderr,
               "vellox: cannot start on the Qt platform \"%s\" (%s); run it on an X11 display (or XWayland), "
               "or evaluate expressions with vellox-calc.\n",
               Chosen.constData(), Reason.simplified().toLocal8Bit().constData());
  std::fflush(stderr);
  std::_Exit(1);
}

}  // namespace

bool ChoosePlatform(int argc, char** argv) {
  TPlatformFacts Facts;
  Facts.Option = PlatformOption(argc, argv).toStdString();
  Facts.Environment = qgetenv("QT_QPA_PLATFORM").toStdString();
  Facts.WaylandSession = !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#ifdef VELLOX_LAYER_SHELL
  Facts.LayerShellOffered = CompositorOffersLayerShell;
#endif
  Facts.XDisplayReachable = [] { return !qEnvironmentVariableIsEmpty("DISPLAY") && XDisplayReachable(); };
  Chosen = QByteArray::fromStdString(PlatformFor(Facts));
  if (!Chosen.isEmpty()) {
    // Qt's own option wins over the environment; without it the environment carries the choice.
    if (Facts.Option.empty()) qputenv("QT_QPA_PLATFORM", Chosen);
    return true;
  }
#ifdef VELLOX_LAYER_SHELL
  const char* OnWayland = ", and the Wayland compositor docks no panels (it offers no layer-shell)";
#else
  const char* OnWayland = ", and this build docks on Wayland only through XWayland";
#endif
  std::fprintf(stderr,
               "vellox: no display to show the strip on (DISPLAY is %s%s).\n"
               "Start it on an X11 desktop (or XWayland), or use vellox-calc to evaluate expressions on the "
               "command line.\n",
               qEnvironmentVariableIsEmpty("DISPLAY") ? "not set" : "not reachable",
               Facts.WaylandSession ? OnWayland : "");
  return false;
}

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  const QtMessageHandler Previous = qInstallMessageHandler(HoldOrFail);
  auto App = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(Previous);
  for (const HeldMessage& Message : Held) {
    const QMessageLogContext Context(Message.File.constData(), Message.Line, Message.Function.constData(),
                                     Message.Category.constData());
    qt_message_output(Message.Type, Context, Message.Text);
  }
  Held.clear();
  return App;
}
