#pragma once
// What the program needs of its main window and of the clock. The SDL layer
// implements both; tests use fakes.
#include <cstdint>
#include <functional>

// Keyboard and mouse notifications of the main window, in window-system terms:
// virtual-key codes, typed characters, client pixels (1024 x 768 logical).
// What KeyPress is given for a typed character the game's letters do not
// hold (the code page's "substitute"): refused with a word, not dropped unseen.
constexpr int UnwritableCharacter = 26;

class TsysInputSink {
 public:
  virtual ~TsysInputSink() = default;
  virtual void KeyDown(int key, int shift) = 0;
  virtual void KeyPress(int character) = 0;
  virtual void KeyUp(int key, int shift) = 0;
  // button: 0 left, 1 right, 2 middle
  virtual void ButtonDown(int button, int x, int y, int shift) = 0;
  virtual void ButtonUp(int button, int x, int y, int shift) = 0;
  virtual void PointerMove(int x, int y, int shift) = 0;
  virtual void WheelDown(int x, int y) = 0;
  virtual void WheelUp(int x, int y) = 0;
};

class TsysMainWindow {
 public:
  virtual ~TsysMainWindow() = default;
  // The application's idle notification: called whenever no window message waits.
  virtual void SetIdleHandler(std::function<void()> handler) = 0;
  virtual void SetInputSink(TsysInputSink* sink) = 0;
  // Text entry of typed characters on or off (the window system's text input).
  virtual void SetTextInput(bool on) = 0;
  // Sets the client area and centres the window on the screen.
  virtual void SnapClientArea() = 0;
  virtual void Minimise() = 0;
  // Ends the message loop after the current pass.
  virtual void Terminate() = 0;
  // How many window messages have been handled so far.
  virtual std::uint64_t MessagesHandled() const { return 0; }
};

// The clock of the frame timer and the director.
class TsysClock {
 public:
  virtual ~TsysClock() = default;
  virtual std::uint64_t Counter() = 0;  // high-resolution counter
  virtual std::uint64_t Frequency() = 0;  // counts per second; 0 when there is none
  virtual std::uint32_t TickCount() = 0;  // milliseconds
  virtual void Sleep(std::uint32_t milliseconds) = 0;
  // Sleeps at most this long, ending early when a window message waits.
  // A clock without a window just sleeps.
  virtual void WaitForInput(std::uint32_t milliseconds) { Sleep(milliseconds); }
};
