#include "program_icon.h"

#include <QPixmap>

#include "vellox_icon.xpm"

QIcon ProgramIcon() { return QIcon(QPixmap(VelloxIconXpm)); }
