#include "look/program_icon.h"

#include <QPixmap>

#include "look/vellox_icon.xpm"

QIcon ProgramIcon() { return QIcon(QPixmap(VelloxIconXpm)); }
