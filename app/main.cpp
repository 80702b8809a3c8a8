// vellox: the strip calculator. Start-up chooses Qt's platform, brings the units up, lets only one
// copy run per desktop session, follows the desktop's light or dark preference, creates the strip
// and the hidden keypad, and runs the event loop until the strip is closed (by the user, or by a
// signal that ends the session).
#include <QApplication>
#include <QLocale>
#include <QStringList>

#include <memory>

#include "engine/engine_unit.h"
#include "help_and_version.h"
#include "keypad/calpad.h"
#include "look/desktop_palette.h"
#include "look/program_icon.h"
#include "look/ui_fonts.h"
#include "platform_choice.h"
#include "qt/application.h"
#include "qt/caret_rest.h"
#include "qt/input_device_changes.h"
#include "qt/portal_colour_scheme.h"
#include "qt/qt_translations.h"
#include "qt/quit_signals.h"
#include "qt/window_activation.h"
#include "reading/japanese_messages.h"
#include "single_instance.h"
#include "strip/strip_return.h"
#include "strip/strip_window.h"
#include "tray/notify_icon.h"
#include "tray/session_bus_link.h"

int main(int argc, char** argv) {
  if (const std::optional<int> Answered = AnswerHelpOrVersion(argc, argv)) return *Answered;
  if (!ChoosePlatform(argc, argv)) return 1;

  // The units: the engine's symbol table with the built-in functions; the tray unit's icon list
  // and the strip's and keypad's strings start empty as globals.
  EngineUnit Engine;

  // The switch is the first argument exactly as given; QApplication takes the options it knows
  // (-reverse, -style ...) out of argv, so the command line is kept before it starts.
  QStringList CommandLine;
  for (int Index = 0; Index < argc; ++Index) CommandLine << QString::fromLocal8Bit(argv[Index]);
  Application::SetCommandLine(CommandLine);

  const std::unique_ptr<QApplication> App = StartApplication(argc, argv);
  // Only closing the strip ends the program, not closing the keypad while the strip is hidden.
  App->setQuitOnLastWindowClosed(false);

  std::unique_ptr<TVellox1> Strip;
  // A later start asks this copy to show its strip, as a click on the tray icon would.
  const auto ShowStrip = [&Strip] {
    if (Strip) Application::Guard([&Strip] { Strip->Restore(Strip.get()); });
  };
  if (!ClaimSingleInstance(ShowStrip)) return 0;
  // A session that ends (or Ctrl+C in the terminal) closes the strip as the user would.
  TQuitSignals Signals([&Strip](int) {
    if (Strip) Application::Guard([&Strip] { Strip->FormClose(Strip.get()); });
  });

  Application::SetTitle(QStringLiteral("Vellox"));
  Application::SetMessageWording(JapaneseMessage);
  App->setWindowIcon(ProgramIcon());
  // One face for the captions, menus and message boxes, which show Japanese text under a Japanese
  // language; under any other the program's texts are English, Qt's own texts (the fields'
  // context menus, the message box's buttons) follow the same language.
  App->setFont(JapaneseUiFont(12));
  InstallTranslations(QLocale::system());
  // After ten seconds without input the caret stops blinking, so an idle strip uses no time.
  TCaretRest CaretRest(10000);
  // The time of the user's clicks and keys, which the requests to activate a window carry.
  TUserTime UserTime;
  // Qt's xcb platform would crash on a pointing device that XWayland adds while the strip runs.
  TInputDeviceChanges DeviceChanges;
  // The desktop's light or dark preference, read from the desktop portal where neither a platform
  // theme's palette nor Qt itself follows it, on a bus link of its own that follows the session
  // bus when it restarts (the portal starts again with it).
  auto* Palette = new TDesktopPalette(App.get());
  if (Palette->Decides()) {
    auto* PortalBus = new TSessionBusLink(App.get());
    auto* Preference = new TPortalColourScheme(App.get());
    QObject::connect(Preference, &TPortalColourScheme::Changed, Palette, &TDesktopPalette::Follow);
    const auto Listen = [PortalBus, Preference] {
      if (PortalBus->Connected()) Preference->Listen(PortalBus->Bus());
    };
    QObject::connect(PortalBus, &TSessionBusLink::Changed, Preference, Listen);
    Listen();
  }

  Strip = std::make_unique<TVellox1>();
  Strip->show();
  Strip->activateWindow();
  auto Pad = std::make_unique<TCalPad1>();
  RestoreStripWhenTrayGoes(CurrentNotifyIconShell(), *Strip);

  App->exec();

  // The windows go first (the tray icon leaves the notification area with the strip).
  Pad.reset();
  Strip.reset();
  return 0;
}
