#include "qt/input_device_changes.h"

#include <QCoreApplication>

#include <cstddef>
#include <cstring>

#include "qt/xcb_connection.h"

namespace {

// XInput 2's DeviceChangedEvent as its protocol lays it out, up to the field read here (the
// library with its own declaration, xcb-xinput, is not one this program links).
struct TDeviceChangedEvent {
  uint8_t ResponseType;  // XCB_GE_GENERIC
  uint8_t Extension;     // the XInput extension's major opcode
  uint16_t Sequence;
  uint32_t Length;
  uint16_t EventType;  // kDeviceChanged
  uint16_t DeviceId;
  uint32_t Time;
  uint16_t NumClasses;
  uint16_t SourceId;
  uint8_t Reason;  // kSlaveSwitch or kDeviceChange
};
static_assert(offsetof(TDeviceChangedEvent, Reason) == 20);

constexpr uint16_t kDeviceChanged = 1;  // XI_DeviceChanged
constexpr uint8_t kDeviceChange = 2;    // XIDeviceChange: the device's classes changed

uint8_t XInputOpcodeOf(xcb_connection_t* C) {
  static constexpr char kName[] = "XInputExtension";
  XcbReply<xcb_query_extension_reply_t> Reply(
      xcb_query_extension_reply(C, xcb_query_extension(C, std::strlen(kName), kName), nullptr), &std::free);
  return Reply && Reply->present ? Reply->major_opcode : 0;
}

}  // namespace

TInputDeviceChanges::TInputDeviceChanges() {
  xcb_connection_t* C = XcbConnection();
  if (C == nullptr) return;
  XInputOpcode = XInputOpcodeOf(C);
  if (XInputOpcode != 0) QCoreApplication::instance()->installNativeEventFilter(this);
}

TInputDeviceChanges::~TInputDeviceChanges() {
  if (QCoreApplication::instance() != nullptr) QCoreApplication::instance()->removeNativeEventFilter(this);
}

bool TInputDeviceChanges::IsDeviceChange(const void* Event, uint8_t XInputOpcode) {
  const auto* Notice = static_cast<const TDeviceChangedEvent*>(Event);
  return XInputOpcode != 0 && (Notice->ResponseType & 0x7F) == XCB_GE_GENERIC && Notice->Extension == XInputOpcode &&
         Notice->EventType == kDeviceChanged && Notice->Reason == kDeviceChange;
}

bool TInputDeviceChanges::nativeEventFilter(const QByteArray& EventType, void* Message, qintptr*) {
  // True keeps the notice from Qt.
  return EventType == "xcb_generic_event_t" && IsDeviceChange(Message, XInputOpcode);
}
