#include "event_pump.h"

#include <QCoreApplication>
#include <QElapsedTimer>

void PumpEvents(int Milliseconds) {
  QElapsedTimer Clock;
  Clock.start();
  do {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  } while (Clock.elapsed() < Milliseconds);
}
