#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGINT and SIGHUP (a session ending, Ctrl+C in the terminal that started the
// program, the terminal closing) into a call on the event loop. The signal handler itself only
// writes the signal's number into a pipe; a socket notifier reads it there and runs OnSignal, so
// the program can end as it does when the user closes it. Once this object is gone, the three
// signals are ignored: the program is ending in order already.
class TQuitSignals : public QObject {
  Q_OBJECT
public:
  explicit TQuitSignals(std::function<void(int Signal)> OnSignal, QObject* Parent = nullptr);
  ~TQuitSignals() override;

private:
  std::function<void(int)> OnSignal;
  QSocketNotifier* Notifier = nullptr;
  void Read();
};
