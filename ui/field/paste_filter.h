#pragma once

#include <QClipboard>
#include <QObject>
#include <QString>

#include <functional>

class QAction;
class QContextMenuEvent;
class QDropEvent;
class QMenu;
class QWidget;

// Routes every way text can be pasted or dropped into a field to one handler, which decides what
// the field receives: Ctrl+V and Shift+Insert, the context menu's paste, the middle button's
// selection, and a drop from another program (a drag inside the field stays the field's own).
// The handler runs through the application's guard. Install it after the field's key-press
// filter: the filter installed last sees the keys first.
class TPasteFilter : public QObject {
  Q_OBJECT
public:
  using THandler = std::function<void(QWidget* Field, const QString& Text)>;
  // Field: a line edit (line_access.h).
  TPasteFilter(QWidget* Field, THandler Handler);
  // The field's own edit menu, with its paste going through the handler; the caller owns it.
  QMenu* EditMenu();

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* Field;
  THandler Handler;
  void Paste(QClipboard::Mode Mode);
  void ShowContextMenu(const QContextMenuEvent* Event);
  bool Drop(QDropEvent* Event);
};

// The paste item of a field's standard context menu, or null.
QAction* PasteItemOf(const QMenu* Menu);
