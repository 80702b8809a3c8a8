#include "field/double_click_selects_all.h"

#include <QLineEdit>
#include <QMouseEvent>

TDoubleClickSelectsAll::TDoubleClickSelectsAll(QLineEdit* SelectField) : QObject(SelectField), Field(SelectField) {
  Field->installEventFilter(this);
}

bool TDoubleClickSelectsAll::eventFilter(QObject*, QEvent* Event) {
  if (Event->type() != QEvent::MouseButtonDblClick || static_cast<QMouseEvent*>(Event)->button() != Qt::LeftButton)
    return false;
  // The release that follows copies the selection to the X selection, as after any selecting click.
  Field->selectAll();
  return true;
}
