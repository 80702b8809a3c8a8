#include "field/key_press.h"

#include <QInputMethodEvent>
#include <QKeyEvent>

#include "qt/application.h"

TKeyPressFilter::TKeyPressFilter(QObject* Field, THandler KeyHandler)
    : QObject(Field), Handler(std::move(KeyHandler)) {
  Field->installEventFilter(this);
}

QChar TKeyPressFilter::Typed(QObject* Field, QChar Key) {
  Application::Guard([&] { Handler(Field, Key); });
  return Key;
}

bool TKeyPressFilter::eventFilter(QObject* Watched, QEvent* Event) {
  if (Event->type() == QEvent::KeyPress) {
    const auto* Pressed = static_cast<QKeyEvent*>(Event);
    const QString Text = Pressed->text();
    // X gives Delete the text DEL, but it is an editing key that types nothing.
    if (Text.isEmpty() || Pressed->key() == Qt::Key_Delete) return false;
    return Typed(Watched, Text.front()).isNull();
  }
  if (Event->type() == QEvent::InputMethod) {
    // Text composed with an input method (a Japanese one, say) arrives as one commit instead of
    // key presses; each of its characters is typed, so each goes through the handler, and the
    // field receives only what the handler lets through.
    auto* Composed = static_cast<QInputMethodEvent*>(Event);
    const QString Commit = Composed->commitString();
    if (Commit.isEmpty()) return false;
    QString Kept;
    for (QChar Character : Commit) {
      const QChar Key = Typed(Watched, Character);
      if (!Key.isNull()) Kept += Key;
    }
    if (Kept != Commit)
      Composed->setCommitString(Kept, Composed->replacementStart(), Composed->replacementLength());
  }
  return false;
}
