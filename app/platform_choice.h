#pragma once

#include <QApplication>

#include <memory>

// Chooses Qt's platform for the strip before Qt starts. The strip docks itself and stays above
// other windows, which X11 (and XWayland) allow and Wayland does not allow an ordinary window: so
// Qt's xcb platform is used whenever an X display is reachable, even where the environment names
// another platform for Qt programs in general (QT_QPA_PLATFORM, common in Wayland sessions). Qt's
// own -platform option is the user's explicit choice and is kept. Without an X display the
// environment's choice stands; with none at all, this says so and returns false.
bool ChoosePlatform(int argc, char** argv);

// Makes the application object on the chosen platform. Where that platform cannot be loaded (its
// plugin is not installed, or it finds no display), Qt would abort the process: instead this says
// so in one line on standard error and ends the process with exit code 1. Qt's messages while it
// starts are held back and passed on once it has started.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);
