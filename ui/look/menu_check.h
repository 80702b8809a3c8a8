#pragma once

#include <QAction>

// Sets a menu item's check mark. The item is checkable only while checked, so an unchecked item
// shows no mark at all: Qt's styles draw an empty box beside an unchecked checkable item.
inline void SetMenuCheck(QAction* Item, bool Checked) {
  Item->setCheckable(Checked);
  Item->setChecked(Checked);
}
