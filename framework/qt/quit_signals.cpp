#include "qt/quit_signals.h"

#include <QSocketNotifier>

#include <csignal>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};

// The pipe's two ends: the handler writes, the event loop reads. -1 while no object listens.
int Pipe[2] = {-1, -1};

void WriteSignal(int Signal) {
  const int Saved = errno;
  const unsigned char Number = static_cast<unsigned char>(Signal);
  // Non-blocking: with the pipe full, signals are pending already and one more adds nothing.
  [[maybe_unused]] const ssize_t Written = write(Pipe[1], &Number, 1);
  errno = Saved;
}

void Handle(void (*Handler)(int)) {
  struct sigaction Action {};
  Action.sa_handler = Handler;
  sigemptyset(&Action.sa_mask);
  Action.sa_flags = SA_RESTART;
  for (const int Signal : kSignals) sigaction(Signal, &Action, nullptr);
}

}  // namespace

TQuitSignals::TQuitSignals(std::function<void(int)> Run, QObject* Parent) : QObject(Parent), OnSignal(std::move(Run)) {
  if (pipe2(Pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;  // the signals keep their default action
  Notifier = new QSocketNotifier(Pipe[0], QSocketNotifier::Read, this);
  connect(Notifier, &QSocketNotifier::activated, this, &TQuitSignals::Read);
  Handle(WriteSignal);
}

TQuitSignals::~TQuitSignals() {
  if (Notifier == nullptr) return;
  Handle(SIG_IGN);
  close(Pipe[0]);
  close(Pipe[1]);
  Pipe[0] = Pipe[1] = -1;
}

void TQuitSignals::Read() {
  unsigned char Number = 0;
  while (read(Pipe[0], &Number, 1) == 1) {
    if (OnSignal) OnSignal(Number);
  }
}
