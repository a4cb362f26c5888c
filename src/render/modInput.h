#pragma once
// The input module: turns the window's keyboard and mouse notifications into
// events through a fixed binding table; held keys repeat once per logic step.
// Besides the table, every key reports itself for keyboard play: ekKeys 7 when
// it goes down (arrows and Tab again while held, at the pace the key-repeat
// option sets) and ekKeys 8 when it comes up, both with the virtual key and
// the shift state. A panel that opens during play may hold the pointer's left
// button, Enter and Space for a moment (Hold), so that a child still clicking
// on the board does not use it unseen.
#include <array>
#include <cstdint>

#include "core/sysMainWindow.h"
#include "core/sysModule.h"

class TsysInterface;

struct TInputBinding {
  std::uint8_t Device;   // 1 keyboard, 2 mouse
  std::uint8_t Trigger;  // 1 key down, 2 key up, 3 button down, 4 button up, 5 mouse move
  std::uint16_t Key;
  std::uint8_t Repeat;
  std::uint8_t Delay;
  std::uint8_t Interval;
  std::uint8_t Context;
  std::int32_t Kind;
  std::int32_t Code;
};

enum : std::uint8_t { trKeyDown = 1, trKeyUp = 2, trButtonDown = 3, trButtonUp = 4, trMouseMove = 5 };

constexpr int KeyCount = 259;  // 0..255 virtual keys, 256 left, 257 middle, 258 right button

// Virtual keys that keyboard play listens for.
enum : int {
  vkTab = 0x09,
  vkReturn = 0x0D,
  vkEscape = 0x1B,
  vkSpace = 0x20,
  vkArrowLeft = 0x25,
  vkArrowUp = 0x26,
  vkArrowRight = 0x27,
  vkArrowDown = 0x28,
  vkBackspace = 0x08,
  vkPageUp = 0x21,
  vkPageDown = 0x22,
  vkEnd = 0x23,
  vkHome = 0x24,
  vkDelete = 0x2E,
  vkP = 0x50,
  vkF1 = 0x70,
};
// Shift-state bit of the shift key.
constexpr int ShiftBit = 1;

class TmodInput : public TsysModule, public TsysInputSink {
 public:
  static const std::array<TInputBinding, 24>& Bindings();

  TmodInput(TsysMainWindow* owner, TsysInterface* iface);
  ~TmodInput() override;

  void SetContext(std::int32_t context);
  // For the next steps, the left button, Enter and Space are not reported, nor
  // is the rest of a press that began before or during that time.
  void Hold(std::int32_t steps);
  bool Holding() const { return HoldSteps > 0; }
  std::int32_t FindBinding(int key, std::uint8_t trigger) const;

  void HandleEvent(TsysEvent* event) override;
  void ProcessEvents() override;

  // Window notifications.
  void KeyDown(int key, int shift) override;
  void KeyPress(int character) override;
  void KeyUp(int key, int shift) override;
  void ButtonDown(int button, int x, int y, int shift) override;
  void ButtonUp(int button, int x, int y, int shift) override;
  void PointerMove(int x, int y, int shift) override;
  void WheelDown(int x, int y) override;
  void WheelUp(int x, int y) override;

  struct TKeyState {
    bool Held = false;
    std::int32_t Binding = -1;
    std::uint8_t RepeatMode = 0;
    std::uint8_t Interval = 0;
    std::uint8_t Countdown = 0;
    std::int32_t DownX = 0;
    std::int32_t DownY = 0;
  };
  std::array<TKeyState, KeyCount> Keys;
  std::int32_t Context = 0;
  bool TextMode = false;
  bool Enabled = false;
  TsysInterface* Interface;
  // The arrow or Tab key whose press repeats while held (-1 none), with its shift state.
  std::int32_t NavKey = -1;
  std::int32_t NavShift = 0;
  std::int32_t NavCountdown = 0;
  std::int32_t HoldSteps = 0;
  // The key-repeat option (RepeatUsual, RepeatSlow, RepeatOff): read from the
  // options at the start and whenever they are saved (ekSystem 16).
  std::uint8_t KeyRepeat = 0;

 private:
  void Press(int key, const TInputBinding& row, std::int32_t binding);
  // Tells the scene schedule when the next repeat of a held key is due.
  void AnnounceRepeats() const;
  void PostRow(const TInputBinding& row, std::intptr_t param, std::int32_t value);
  // Keeps the pointer's last position in the resources.
  void NotePointer(int x, int y);
  void NavPress(int key, int shift);
  void ReadOptions();
  // Whether the key is one that a hold keeps back (left button, Enter, Space).
  static bool HeldBack(int key);
  // Which keys are down as keyboard play sees them: the window's own repeat is ignored.
  std::array<bool, 256> Down{};
  // Presses that began before or during a hold: their repeats and release are dropped.
  std::array<bool, KeyCount> Stale{};
};
