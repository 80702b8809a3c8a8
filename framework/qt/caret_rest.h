#pragma once

#include <QObject>
#include <QTimer>

// Brings the text caret to rest after a spell without keyboard or mouse input, as desktops do:
// a caret that blinks on wakes the program twice a second for as long as its field has the
// focus, so a strip left alone would never be idle. The next key press, click or focus change
// makes the caret blink again.
class TCaretRest : public QObject {
  Q_OBJECT
public:
  explicit TCaretRest(int RestAfterMs, QObject* Parent = nullptr);
  ~TCaretRest() override;
  bool Resting() const { return FResting; }

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  QTimer Quiet;
  int FlashTime;  // the desktop's blink period, given back on input
  bool FResting = false;
  void Rest();
};
