#include "platform_choice.h"

#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "qt/x11_desktop.h"

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
  Chosen = PlatformOption(argc, argv);
  if (!Chosen.isEmpty()) return true;
  if (!qEnvironmentVariableIsEmpty("DISPLAY") && XDisplayReachable()) {
    Chosen = "xcb";
    qputenv("QT_QPA_PLATFORM", Chosen);
    return true;
  }
  Chosen = qgetenv("QT_QPA_PLATFORM");
  if (!Chosen.isEmpty()) return true;
  std::fprintf(stderr,
               "vellox: no X display to show the strip on (DISPLAY is %s).\n"
               "Start it on an X11 desktop, or use vellox-calc to evaluate expressions on the "
               "command line.\n",
               qEnvironmentVariableIsEmpty("DISPLAY") ? "not set" : "not reachable");
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
