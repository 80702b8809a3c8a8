#pragma once

#include <QObject>

#include "qt/application.h"

// Binds a window's handler to a component's signal. The handler gets the sending component and
// runs through the application's guard, so an exception it raises is shown and the program goes on.
template <class Sender, class Signal, class Receiver>
void BindHandler(Sender* Component, Signal Event, Receiver* Window, void (Receiver::*Handler)(QObject*)) {
  QObject::connect(Component, Event, Window, [Component, Window, Handler] {
    Application::Guard([&] { (Window->*Handler)(Component); });
  });
}
