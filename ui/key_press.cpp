#include "key_press.h"

#include <QKeyEvent>

#include "qt/application.h"

TKeyPressFilter::TKeyPressFilter(QObject* Field, THandler KeyHandler)
    : QObject(Field), Handler(std::move(KeyHandler)) {
  Field->installEventFilter(this);
}

bool TKeyPressFilter::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress) return false;
  const QString Text = static_cast<QKeyEvent*>(Event)->text();
  if (Text.isEmpty()) return false;
  QChar Key = Text.front();
  Application::Guard([&] { Handler(Watched, Key); });
  return Key.isNull();
}
