#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// A text caret's blinking, as the desktop sets it: shown for half the cursor flash time, hidden
// for the other half, steady when the flash time is below 2 ms (which is how the caret is brought
// to rest, see qt/caret_rest.h). Each change of what is shown calls Changed, so the owner repaints
// the caret alone.
class TCaretBlink : public QObject {
  Q_OBJECT
public:
  explicit TCaretBlink(std::function<void()> Changed, QObject* Parent = nullptr);

  bool Shown() const { return FShown; }
  // Shows the caret and starts the period again, as after each key or caret move.
  void Restart();
  // No blinking (the field lost the focus): the caret is left shown for whoever draws it.
  void Stop();

private:
  QTimer Period;
  std::function<void()> Changed;
  bool FShown = true;
  bool Running = false;  // between Restart and Stop
  void Toggle();
  void Set(bool Shown);
};
