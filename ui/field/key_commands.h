#pragma once

#include <QKeyCombination>
#include <QObject>

#include <functional>
#include <utility>
#include <vector>

class QWidget;

// Runs a command for each of a few keys pressed in a field, instead of the field's own handling
// of them. The keypad's arrows count as the arrows. Commands run through the application's guard.
class TKeyCommands : public QObject {
  Q_OBJECT
public:
  using TCommand = std::function<void()>;
  TKeyCommands(QWidget* Field, std::vector<std::pair<QKeyCombination, TCommand>> Commands);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  std::vector<std::pair<QKeyCombination, TCommand>> Commands;
};
