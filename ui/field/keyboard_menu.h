#pragma once

#include <QObject>

#include <functional>

class QMenu;
class QWidget;

// The shared menu from the keyboard: the Menu key and Shift+F10 in a field pop it up at the
// caret, with the field's own edit commands (undo, cut, copy, paste, select all) in a submenu of
// their own at its top, so every command of the program is a key away. The right mouse button
// keeps the field's own menu. Escape closes the menu as any menu; once it has closed, the focus
// goes to FocusAfter if its window still has the keys (a command may have hidden it or opened
// another window).
class TKeyboardMenu : public QObject {
  Q_OBJECT
public:
  using TMenuMaker = std::function<QMenu*()>;
  // Shared: the menu, asked for each time (it may be made after the field). EditMenu: a new menu
  // of the field's edit commands, which the keyboard menu then owns. Field: a line edit
  // (line_access.h).
  TKeyboardMenu(QWidget* Field, TMenuMaker Shared, TMenuMaker EditMenu, QWidget* FocusAfter);

  // The caption of the submenu with the field's edit commands.
  static QString EditCaption();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* Field;
  TMenuMaker Shared;
  TMenuMaker EditMenu;
  QWidget* FocusAfter;
  bool Open = false;

  void PopUp();
};
