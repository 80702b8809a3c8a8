#include "field/caret_blink.h"

#include <QGuiApplication>
#include <QStyleHints>

TCaretBlink::TCaretBlink(std::function<void()> OnChanged, QObject* Parent)
    : QObject(Parent), Changed(std::move(OnChanged)) {
  connect(&Period, &QTimer::timeout, this, &TCaretBlink::Toggle);
  // A flash time set while the caret blinks (the caret brought to rest, or woken) counts at once.
  connect(QGuiApplication::styleHints(), &QStyleHints::cursorFlashTimeChanged, this, [this] {
    if (Running) Restart();
  });
}

void TCaretBlink::Restart() {
  Running = true;
  const int FlashTime = QGuiApplication::styleHints()->cursorFlashTime();
  if (FlashTime >= 2) {
    Period.start(FlashTime / 2);
  } else {
    Period.stop();
  }
  Set(true);
}

void TCaretBlink::Stop() {
  Running = false;
  Period.stop();
  Set(true);
}

void TCaretBlink::Toggle() { Set(!FShown); }

void TCaretBlink::Set(bool Shown) {
  if (Shown == FShown) return;
  FShown = Shown;
  Changed();
}
