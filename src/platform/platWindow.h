#pragma once
// The SDL2 main window and its message loop, and the SDL clock.
#include <SDL.h>

#include <functional>
#include <string>

#include "core/sysMainWindow.h"

constexpr int ClientWidth = 1024;
constexpr int ClientHeight = 768;

class TplatWindow : public TsysMainWindow {
 public:
  TplatWindow() = default;
  ~TplatWindow() override;

  // Creates the hidden-border 1024 x 768 window titled "Plotfray"; false on failure.
  bool Create(bool fullscreen);
  SDL_Window* Handle() const { return Window; }

  // Drains the window messages, then runs one idle pass, until Terminate.
  void Run();
  // One round of the loop (the tests drive it by hand).
  void PumpOnce();

  void SetIdleHandler(std::function<void()> handler) override { Idle = std::move(handler); }
  void SetInputSink(TsysInputSink* sink) override { Input = sink; }
  void SetTextInput(bool on) override;
  void SnapClientArea() override;
  void Minimise() override;
  void Terminate() override { Terminated = true; }
  std::uint64_t MessagesHandled() const override { return Messages; }
  bool IsTerminated() const { return Terminated; }
  bool IsFullscreen() const;
  // False where a full-screen request would not be carried out (an X server
  // without a window manager): the window would stay as it is while the
  // renderer drew for the whole screen.
  bool CanGoFullscreen() const;

  std::function<void()> OnActivate;
  std::function<void()> OnDeactivate;
  std::function<void()> OnClose;
  // The drawing surface must be repainted (exposed or resized).
  std::function<void()> OnExposed;
  // The renderer lost the contents of its render targets, or (deviceLost)
  // every texture with them.
  std::function<void(bool deviceLost)> OnRenderReset;
  // F12: save a picture of the current frame.
  std::function<void()> OnScreenshot;

 private:
  void HandleEvent(const SDL_Event& event);

  SDL_Window* Window = nullptr;
  std::uint64_t Messages = 0;
  std::function<void()> Idle;
  TsysInputSink* Input = nullptr;
  bool Terminated = false;
};

class TplatClock : public TsysClock {
 public:
  std::uint64_t Counter() override { return SDL_GetPerformanceCounter(); }
  std::uint64_t Frequency() override { return SDL_GetPerformanceFrequency(); }
  std::uint32_t TickCount() override { return SDL_GetTicks(); }
#ifdef __EMSCRIPTEN__
  // The page's animation frames pace the loop; a sleep would only stall the
  // page. A rest stops the animation frames instead, until input or the time.
  void Sleep(std::uint32_t) override {}
  void WaitForInput(std::uint32_t milliseconds) override;
#else
  void Sleep(std::uint32_t milliseconds) override { SDL_Delay(milliseconds); }
  void WaitForInput(std::uint32_t milliseconds) override {
    SDL_WaitEventTimeout(nullptr, static_cast<int>(milliseconds));
  }
#endif
};

// Windows virtual-key code of an SDL key; 0 when the game knows no such key.
int VirtualKeyOf(SDL_Keycode key);
// The shift-state bits of the game: 1 shift, 2 alt, 4 control, 8/16/32 buttons.
int ShiftStateOf(Uint16 modifiers, Uint32 buttons);
// Installs the SDL message box (logged only when there is no display).
void InstallMessageBox(SDL_Window* window);
// Whether SDL runs on a real display (not its dummy or offscreen driver).
bool HasDisplay();
// Breaks text into lines of at most width characters at spaces (a longer word
// keeps its own line); line breaks already in the text stay.
std::string WrapMessageText(const std::string& text, std::size_t width);
