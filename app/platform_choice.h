#pragma once

#include <QApplication>

#include <memory>

// Chooses Qt's platform for the strip before Qt starts (see PlatformFor in platform_decision.h).
// The strip docks itself as a panel: natively on Wayland only as a layer surface, where the build
// and the compositor have layer-shell; else through X11 (XWayland in a Wayland session). With no
// platform to start on, this says so and returns false.
bool ChoosePlatform(int argc, char** argv);

// Makes the application object on the chosen platform. Where that platform cannot be loaded (its
// plugin is not installed, or it finds no display), Qt would abort the process: instead this says
// so in one line on standard error and ends the process with exit code 1. Qt's messages while it
// starts are held back and passed on once it has started.
std::unique_ptr<QApplication> StartApplication(int& argc, char** argv);
