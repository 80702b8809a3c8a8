#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

// Keeps a window and its controls from taking mouse and keyboard input while locked, without
// greying them or changing their own enabled flags (which QWidget::setEnabled would do). Popup
// menus that are not children of the window keep working.
class TInputLock : public QObject {
  Q_OBJECT
public:
  explicit TInputLock(QWidget* Window);
  bool Locked() const { return FLocked; }
  void SetLocked(bool Locked);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QPointer<QWidget> Window;
  bool FLocked = false;
};
