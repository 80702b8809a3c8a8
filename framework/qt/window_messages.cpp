#include "qt/window_messages.h"

#include <QCoreApplication>
#include <QVariant>

#include <unordered_map>

const QEvent::Type TMessageEvent::EventType = static_cast<QEvent::Type>(QEvent::registerEventType());

namespace {

constexpr const char* kHandleProperty = "windowHandle";

std::unordered_map<HWND, QPointer<QObject>>& Receivers() {
  static std::unordered_map<HWND, QPointer<QObject>> Map;
  return Map;
}

HWND NextHandle = 1;

}  // namespace

HWND WindowHandleOf(QObject* Receiver) {
  const QVariant Existing = Receiver->property(kHandleProperty);
  if (Existing.isValid()) return Existing.toUInt();
  const HWND Handle = NextHandle++;
  Receiver->setProperty(kHandleProperty, Handle);
  Receivers()[Handle] = Receiver;
  return Handle;
}

QObject* WindowFromHandle(HWND Handle) {
  const auto Found = Receivers().find(Handle);
  return Found == Receivers().end() ? nullptr : Found->second.data();
}

bool PostMessage(HWND Handle, uint32_t Msg, uintptr_t WParam, intptr_t LParam) {
  QObject* Receiver = WindowFromHandle(Handle);
  if (Receiver == nullptr) return false;
  QCoreApplication::postEvent(Receiver, new TMessageEvent(Msg, WParam, LParam));
  return true;
}
