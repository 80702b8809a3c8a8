#pragma once

#include <QIcon>

// The program icon, one 32 x 32 image of 16 colours: the window's, the application's and the
// tray icon's.
QIcon ProgramIcon();
