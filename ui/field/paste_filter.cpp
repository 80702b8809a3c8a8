#include "field/paste_filter.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>

#include "field/line_access.h"
#include "qt/application.h"

QAction* PasteItemOf(const QMenu* Menu) {
  // Known by its caption (in the user's language), before the tab that leads to its shortcut.
  for (QAction* Item : Menu->actions()) {
    if (Item->text().section(u'\t', 0, 0) == QLineEdit::tr("&Paste")) return Item;
  }
  return nullptr;
}

TPasteFilter::TPasteFilter(QWidget* PasteField, THandler PasteHandler)
    : QObject(PasteField), Field(PasteField), Handler(std::move(PasteHandler)) {
  Field->installEventFilter(this);
}

void TPasteFilter::Paste(QClipboard::Mode Mode) {
  const QString Text = QGuiApplication::clipboard()->text(Mode);
  Application::Guard([&] { Handler(Field, Text); });
}

QMenu* TPasteFilter::EditMenu() {
  QMenu* Menu = WithLine(Field, [](auto* Line) { return Line->createStandardContextMenu(); });
  if (QAction* PasteItem = PasteItemOf(Menu)) {
    PasteItem->disconnect(Field);
    connect(PasteItem, &QAction::triggered, this, [this] { Paste(QClipboard::Clipboard); });
  }
  return Menu;
}

void TPasteFilter::ShowContextMenu(const QContextMenuEvent* Event) {
  QMenu* Menu = EditMenu();
  Menu->setAttribute(Qt::WA_DeleteOnClose);
  Menu->popup(Event->globalPos());
}

bool TPasteFilter::Drop(QDropEvent* Event) {
  if (Event->source() == Field || !Event->mimeData()->hasText()) return false;
  WithLine(Field, [Event](auto* Line) {
    Line->deselect();
    Line->setCursorPosition(Line->cursorPositionAt(Event->position().toPoint()));
  });
  const QString Text = Event->mimeData()->text();
  Application::Guard([&] { Handler(Field, Text); });
  Event->acceptProposedAction();
  return true;
}

bool TPasteFilter::eventFilter(QObject*, QEvent* Event) {
  if (WithLine(Field, [](auto* Line) { return Line->isReadOnly(); })) return false;
  switch (Event->type()) {
    case QEvent::KeyPress:
      if (!static_cast<QKeyEvent*>(Event)->matches(QKeySequence::Paste)) return false;
      Paste(QClipboard::Clipboard);
      return true;
    case QEvent::MouseButtonRelease:
      if (static_cast<QMouseEvent*>(Event)->button() != Qt::MiddleButton ||
          !QGuiApplication::clipboard()->supportsSelection())
        return false;
      // The press has put the caret where the button went down; the selection goes there.
      WithLine(Field, [](auto* Line) { Line->deselect(); });
      Paste(QClipboard::Selection);
      return true;
    case QEvent::ContextMenu:
      ShowContextMenu(static_cast<QContextMenuEvent*>(Event));
      return true;
    case QEvent::Drop:
      return Drop(static_cast<QDropEvent*>(Event));
    default:
      return false;
  }
}
