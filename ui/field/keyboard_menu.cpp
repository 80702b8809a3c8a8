#include "field/keyboard_menu.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>

TKeyboardMenu::TKeyboardMenu(QWidget* MenuField, TMenuMaker SharedMenu, TMenuMaker EditCommands, QWidget* Focus)
    : QObject(MenuField), Field(MenuField), Shared(std::move(SharedMenu)), EditMenu(std::move(EditCommands)),
      FocusAfter(Focus) {
  Field->installEventFilter(this);
}

QString TKeyboardMenu::EditCaption() { return QCoreApplication::translate("TKeyboardMenu", "編集(&E)"); }

bool TKeyboardMenu::eventFilter(QObject*, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    const auto* Pressed = static_cast<QKeyEvent*>(Event);
    const Qt::KeyboardModifiers Modifiers = Pressed->modifiers() & ~Qt::KeypadModifier;
    const bool MenuKey = Pressed->key() == Qt::Key_Menu && Modifiers == Qt::NoModifier;
    const bool ShiftF10 = Pressed->key() == Qt::Key_F10 && Modifiers == Qt::ShiftModifier;
    if (!MenuKey && !ShiftF10) return false;
    PopUp();
    return true;
  }
  // The context-menu request that the Menu key may also make; a mouse's stays the field's.
  if (Event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(Event)->reason() == QContextMenuEvent::Keyboard) {
    PopUp();
    return true;
  }
  return false;
}

void TKeyboardMenu::PopUp() {
  if (Open) return;  // the key's own press and its context-menu request: one menu
  QMenu* Menu = Shared();
  if (Menu == nullptr) return;
  Open = true;
  QPointer<QMenu> Edit = EditMenu ? EditMenu() : nullptr;
  QAction* EditItem = nullptr;
  QAction* Separator = nullptr;
  QAction* First = Menu->actions().value(0);
  if (Edit) {
    Edit->setTitle(EditCaption());
    EditItem = Menu->insertMenu(First, Edit);
    Separator = Menu->insertSeparator(First);
  }
  QPointer<QWidget> Focus = FocusAfter;
  QPointer<QWidget> Self = Field;
  // Opened from the keyboard, it starts on its first item, as menus do, so that the screen
  // reader has an item to read and Enter a command to run.
  // The menu's own Down key does it without opening a submenu there.
  QTimer::singleShot(0, Menu, [Menu] {
    QKeyEvent Down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QCoreApplication::sendEvent(Menu, &Down);
  });
  // Below the caret, where the eyes are.
  Menu->exec(Field->mapToGlobal(Field->inputMethodQuery(Qt::ImCursorRectangle).toRect().bottomLeft()));
  // The chosen command has run by now.
  if (EditItem != nullptr) {
    Menu->removeAction(EditItem);
    Menu->removeAction(Separator);
    delete Separator;
  }
  if (Edit) Edit->deleteLater();
  if (Self) Open = false;
  if (Focus && Focus->isVisible() && Focus->window()->isActiveWindow()) Focus->setFocus(Qt::PopupFocusReason);
}
