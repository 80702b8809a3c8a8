#pragma once

#include <QAbstractNativeEventFilter>

#include <cstdint>

// Keeps XInput 2's "device changed" notices of the DeviceChange kind away from Qt's xcb platform.
// Qt 6.8 takes such a notice about a pointing device it has not set up as a new device without a
// master, and one that it takes for a touchpad (relative axes and a wheel, as XWayland's relative
// pointer has) ends the program: Qt reads the seat of the missing master device. Under XWayland
// this happens when the compositor's seat gets its first pointer while the strip runs (a mouse
// plugged in, a virtual pointer of a test or a remote desktop): the strip crashed under sway.
// Qt learns of every new device from the hierarchy notice that goes with it as well, where it
// gives each device its master and leaves unattached ones alone, and it ignores DeviceChange
// notices about the devices it knows: nothing is lost. Notices of the other kind (a device
// switching under its master) still reach Qt. One lives as long as the application; off X11 it
// does nothing.
class TInputDeviceChanges : public QAbstractNativeEventFilter {
public:
  TInputDeviceChanges();
  ~TInputDeviceChanges() override;
  bool nativeEventFilter(const QByteArray& EventType, void* Message, qintptr* Result) override;

  // Whether an X event is such a notice, for the XInput extension's major opcode (0 when the
  // server has no XInput).
  static bool IsDeviceChange(const void* Event, uint8_t XInputOpcode);

private:
  uint8_t XInputOpcode = 0;
};
