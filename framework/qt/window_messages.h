#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>

#include <cstdint>

// Window messages on Qt: an object that receives messages gets a numeric window handle, and a
// message (number, wParam, lParam) is posted to it as a TMessageEvent, delivered by the event
// loop of the object's thread.
using HWND = uint32_t;

class TMessageEvent : public QEvent {
public:
  static const QEvent::Type EventType;
  TMessageEvent(uint32_t Msg, uintptr_t WParam, intptr_t LParam)
      : QEvent(EventType), Msg(Msg), WParam(WParam), LParam(LParam) {}
  const uint32_t Msg;
  const uintptr_t WParam;
  const intptr_t LParam;
};

// The handle of Receiver, allocated on first request; it is never reused within the process.
HWND WindowHandleOf(QObject* Receiver);

// The receiver of a handle, or null once it has been destroyed.
QObject* WindowFromHandle(HWND Handle);

// Queues a message for the receiver of Handle; false when there is none.
bool PostMessage(HWND Handle, uint32_t Msg, uintptr_t WParam, intptr_t LParam);
