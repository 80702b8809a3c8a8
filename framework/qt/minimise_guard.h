#pragma once

#include <QObject>

#include <functional>

class QWidget;

// Brings a window back, normal size and active, whenever it is minimised while Refused() says so
// (always, when none is given). For windows with no task-bar button that nothing else could
// bring back: a message box that holds the program modal, the keypad without a notification
// area. Some window managers offer minimising even when the window asks for no minimise button.
class TMinimiseGuard : public QObject {
  Q_OBJECT
public:
  explicit TMinimiseGuard(QWidget* Window, std::function<bool()> Refused = {});

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QWidget* Window;
  std::function<bool()> Refused;
};
