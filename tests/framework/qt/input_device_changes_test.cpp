#include <gtest/gtest.h>

#include <xcb/xcb.h>

#include <array>
#include <cstdint>

#include "qt/input_device_changes.h"

namespace {

constexpr uint8_t kXInput = 131;  // the major opcode the server gave XInput

// An X event as xcb delivers it: 32 bytes, then the full sequence number.
std::array<uint8_t, 36> Event(uint8_t Type, uint8_t Extension, uint16_t XiType, uint8_t Reason) {
  std::array<uint8_t, 36> Bytes{};
  Bytes[0] = Type;
  Bytes[1] = Extension;
  Bytes[8] = static_cast<uint8_t>(XiType);  // little-endian, as the server sends to this host
  Bytes[20] = Reason;
  return Bytes;
}

TEST(InputDeviceChangesTest, OnlyXInputDeviceChangeNoticesAreKeptFromQt) {
  struct Row {
    const char* What;
    std::array<uint8_t, 36> Bytes;
    uint8_t Opcode;
    bool Kept;
  } Rows[] = {
      {"a device's classes changed", Event(XCB_GE_GENERIC, kXInput, 1, 2), kXInput, true},
      {"sent by another client", Event(XCB_GE_GENERIC | 0x80, kXInput, 1, 2), kXInput, true},
      {"a device switched under its master", Event(XCB_GE_GENERIC, kXInput, 1, 1), kXInput, false},
      {"the device hierarchy changed", Event(XCB_GE_GENERIC, kXInput, 11, 2), kXInput, false},
      {"another extension's event", Event(XCB_GE_GENERIC, kXInput + 1, 1, 2), kXInput, false},
      {"a core event", Event(XCB_BUTTON_PRESS, kXInput, 1, 2), kXInput, false},
      {"a server without XInput", Event(XCB_GE_GENERIC, 0, 1, 2), 0, false},
  };
  for (const Row& R : Rows)
    EXPECT_EQ(TInputDeviceChanges::IsDeviceChange(R.Bytes.data(), R.Opcode), R.Kept) << R.What;
}

}  // namespace
