// vellox: the strip calculator. Start-up brings the units up, lets only one copy run per X
// display and user, creates the strip and the hidden keypad, and runs the event loop until the
// strip is closed.
#include <QApplication>
#include <QByteArray>
#include <QStringList>

#include <cstdio>
#include <memory>
#include <unistd.h>

#include "calpad.h"
#include "engine_unit.h"
#include "program_icon.h"
#include "qt/application.h"
#include "qt/caret_rest.h"
#include "qt/window_activation.h"
#include "qt/x11_desktop.h"
#include "strip_window.h"
#include "ui_fonts.h"

namespace {

// Checked before Qt starts: a docked strip needs absolute placement, which X11 (or XWayland)
// gives and Wayland does not, so Qt's xcb platform is used unless the user chose another.
bool ChooseDisplay() {
  if (qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) return true;
  if (qEnvironmentVariableIsEmpty("DISPLAY") || !XDisplayReachable()) {
    std::fprintf(stderr,
                 "vellox: no X display to show the strip on (DISPLAY is %s).\n"
                 "Start it on an X11 desktop, or use vellox-calc to evaluate expressions on the "
                 "command line.\n",
                 qEnvironmentVariableIsEmpty("DISPLAY") ? "not set" : "not reachable");
    return false;
  }
  qputenv("QT_QPA_PLATFORM", "xcb");
  return true;
}

// The marker of a running copy: one per X display and user.
QByteArray InstanceName() { return "_VELLOX_TVellox1_" + QByteArray::number(getuid()); }

}  // namespace

int main(int argc, char** argv) {
  if (!ChooseDisplay()) return 1;

  // The units: the engine's symbol table with the built-in functions; the tray unit's icon list
  // and the strip's and keypad's strings start empty as globals.
  EngineUnit Engine;

  // The switch is the first argument exactly as given; QApplication takes the options it knows
  // (-reverse, -style ...) out of argv, so the command line is kept before it starts.
  QStringList CommandLine;
  for (int Index = 0; Index < argc; ++Index) CommandLine << QString::fromLocal8Bit(argv[Index]);
  Application::SetCommandLine(CommandLine);

  QApplication App(argc, argv);
  // Only closing the strip ends the program, not closing the keypad while the strip is hidden.
  App.setQuitOnLastWindowClosed(false);

  if (!ClaimSingleInstance(InstanceName())) return 0;

  Application::SetTitle(QStringLiteral("Vellox"));
  App.setWindowIcon(ProgramIcon());
  // Menus and message boxes show Japanese text too: one face for all of it.
  App.setFont(JapaneseUiFont(12));
  // After ten seconds without input the caret stops blinking, so an idle strip uses no time.
  TCaretRest CaretRest(10000);
  // The time of the user's clicks and keys, which the requests to activate a window carry.
  TUserTime UserTime;

  auto Strip = std::make_unique<TVellox1>();
  Strip->show();
  Strip->activateWindow();
  auto Pad = std::make_unique<TCalPad1>();

  App.exec();

  // The windows go first (the tray icon leaves the notification area with the strip).
  Pad.reset();
  Strip.reset();
  return 0;
}
