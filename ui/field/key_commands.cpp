#include "field/key_commands.h"

#include <QKeyEvent>
#include <QWidget>

#include "qt/application.h"

TKeyCommands::TKeyCommands(QWidget* Field, std::vector<std::pair<QKeyCombination, TCommand>> KeyCommands)
    : QObject(Field), Commands(std::move(KeyCommands)) {
  Field->installEventFilter(this);
}

bool TKeyCommands::eventFilter(QObject*, QEvent* Event) {
  if (Event->type() != QEvent::KeyPress) return false;
  const auto* Pressed = static_cast<QKeyEvent*>(Event);
  const QKeyCombination Key(Pressed->modifiers() & ~Qt::KeypadModifier, static_cast<Qt::Key>(Pressed->key()));
  for (const auto& [Combination, Command] : Commands) {
    if (Combination != Key) continue;
    Application::Guard(Command);
    return true;
  }
  return false;
}
