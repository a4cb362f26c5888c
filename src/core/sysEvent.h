#pragma once
// The event record every participant posts through the bus.
#include <cstdint>

class TsysEventComponent;

// Event kinds: one bit each, so a subscriber's mask is an OR of them.
enum : std::int32_t {
  ekSystem = 0x0002,
  ekScreen = 0x0004,
  ekForm = 0x0008,
  ekKeys = 0x0020,
  ekGame = 0x0100,
  ekMouse = 0x0800,
  ekSound = 0x4000,
};

// Post modes; anything but immediate is queued.
enum : std::int32_t {
  pmQueued = 1,
  pmImmediate = 2,
};

struct TsysEvent {
  TsysEventComponent* Sender = nullptr;
  std::int32_t Kind = 0;
  std::uint16_t Code = 0;
  std::intptr_t Param = 0;
  std::int32_t Value = 0;
  bool Handled = false;
};
