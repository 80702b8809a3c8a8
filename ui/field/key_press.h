#pragma once

#include <QChar>
#include <QObject>

#include <functional>

// A field's key-press handler: it sees each typed character (Enter is '\r', Backspace '\b', a
// control key its control character), also each character an input method commits, before the
// field does, and swallows it by setting it to the null character. Keys that type no character
// (arrows, Delete) go straight to the field. The handler runs through the application's guard.
class TKeyPressFilter : public QObject {
  Q_OBJECT
public:
  using THandler = std::function<void(QObject* Sender, QChar& Key)>;
  TKeyPressFilter(QObject* Field, THandler Handler);

protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
  THandler Handler;
  // The character after the handler has seen it: null when swallowed.
  QChar Typed(QObject* Field, QChar Key);
};
