#include "platform/platWindow.h"

#include <cstring>
#include <string_view>

#include "core/sysCodePage.h"
#include "core/sysLog.h"
#include "platform/platQuitSignal.h"
#include "platform/platX11.h"

TplatWindow::~TplatWindow() {
  if (Window != nullptr) SDL_DestroyWindow(Window);
}

bool TplatWindow::Create(bool fullscreen) {
  Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI;
  if (fullscreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
  Window = SDL_CreateWindow("Plotfray", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, ClientWidth, ClientHeight,
                            flags);
  if (Window == nullptr) {
    LogLine(std::string("cannot create the window: ") + SDL_GetError());
    return false;
  }
  SDL_SetWindowMinimumSize(Window, ClientWidth, ClientHeight);
  SDL_StopTextInput();
  return true;
}

bool TplatWindow::CanGoFullscreen() const { return Window != nullptr && WindowSystemGrantsFullscreen(Window); }

bool TplatWindow::IsFullscreen() const {
  return Window != nullptr && (SDL_GetWindowFlags(Window) & SDL_WINDOW_FULLSCREEN) != 0;
}

void TplatWindow::SetTextInput(bool on) {
  if (on)
    SDL_StartTextInput();
  else
    SDL_StopTextInput();
}

void TplatWindow::SnapClientArea() {
  if (Window == nullptr || IsFullscreen()) return;
  SDL_SetWindowSize(Window, ClientWidth, ClientHeight);
  SDL_Rect bounds;
  const int display = SDL_GetWindowDisplayIndex(Window);
  if (display >= 0 && SDL_GetDisplayBounds(display, &bounds) == 0) {
    SDL_SetWindowPosition(Window, bounds.x + (bounds.w - ClientWidth) / 2, bounds.y + (bounds.h - ClientHeight) / 2);
  }
}

void TplatWindow::Minimise() {
  if (Window != nullptr) SDL_MinimizeWindow(Window);
}

void TplatWindow::Run() {
  while (!Terminated) PumpOnce();
}

void TplatWindow::PumpOnce() {
  // A quit signal is a close request, whatever was going on when it came.
  if (TakeQuitSignal() && OnClose) OnClose();
  SDL_Event event;
  while (!Terminated && SDL_PollEvent(&event)) {
    ++Messages;
    HandleEvent(event);
  }
  if (!Terminated && Idle) Idle();
}

void TplatWindow::HandleEvent(const SDL_Event& event) {
  const Uint32 buttons = SDL_GetMouseState(nullptr, nullptr);
  // The keyboard's state now may be later than the event: a quick chord (a
  // switch device, sticky keys) has often let go of Shift by the time its Tab
  // is handled. Key events carry the modifiers of their own moment.
  const int shift = ShiftStateOf(static_cast<Uint16>(SDL_GetModState()), buttons);
  const int keyShift = event.type == SDL_KEYDOWN || event.type == SDL_KEYUP
                           ? ShiftStateOf(event.key.keysym.mod, buttons)
                           : shift;
  switch (event.type) {
    case SDL_QUIT:
      if (OnClose) OnClose();
      break;
    case SDL_WINDOWEVENT:
      switch (event.window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
          if (OnActivate) OnActivate();
          break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
          if (OnDeactivate) OnDeactivate();
          break;
        case SDL_WINDOWEVENT_CLOSE:
          if (OnClose) OnClose();
          break;
        case SDL_WINDOWEVENT_RESIZED:
        case SDL_WINDOWEVENT_MAXIMIZED: {
          int w = 0;
          int h = 0;
          SDL_GetWindowSize(Window, &w, &h);
          if (!IsFullscreen() && (w != ClientWidth || h != ClientHeight)) SnapClientArea();
          if (OnExposed) OnExposed();
          break;
        }
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
          if (OnExposed) OnExposed();
          break;
        default:
          break;
      }
      break;
    case SDL_RENDER_TARGETS_RESET:
    case SDL_RENDER_DEVICE_RESET:
      if (OnRenderReset) OnRenderReset(event.type == SDL_RENDER_DEVICE_RESET);
      break;
    case SDL_KEYDOWN: {
      if (event.key.keysym.sym == SDLK_F12 && event.key.repeat == 0 && OnScreenshot) OnScreenshot();
      if (Input == nullptr) break;
      const int vk = VirtualKeyOf(event.key.keysym.sym);
      if (vk != 0) Input->KeyDown(vk, keyShift);
      // Keys that type a control character, as the window system reports them.
      if (vk == 0x0D || vk == 0x08 || vk == 0x1B) Input->KeyPress(vk);
      break;
    }
    case SDL_KEYUP: {
      if (Input == nullptr) break;
      const int vk = VirtualKeyOf(event.key.keysym.sym);
      if (vk != 0) Input->KeyUp(vk, keyShift);
      break;
    }
    case SDL_TEXTINPUT: {
      if (Input == nullptr) break;
      // One event may carry several characters (an input method, fast typing).
      const std::string_view text(event.text.text);
      for (std::size_t at = 0, length = 0; at < text.size(); at += length) {
        const std::uint32_t code = DecodeUtf8(text.substr(at), length);
        if (length == 0) break;
        const std::uint8_t byte = CodePageByteOf(code);
        Input->KeyPress(byte != 0 ? byte : UnwritableCharacter);
      }
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (Input == nullptr) break;
      int button = -1;
      if (event.button.button == SDL_BUTTON_LEFT) button = 0;
      if (event.button.button == SDL_BUTTON_RIGHT) button = 1;
      if (event.button.button == SDL_BUTTON_MIDDLE) button = 2;
      if (button < 0) break;
      int s = shift | (event.button.clicks >= 2 ? 64 : 0);
      if (event.type == SDL_MOUSEBUTTONDOWN)
        Input->ButtonDown(button, event.button.x, event.button.y, s);
      else
        Input->ButtonUp(button, event.button.x, event.button.y, s);
      break;
    }
    case SDL_MOUSEMOTION:
      if (Input != nullptr) Input->PointerMove(event.motion.x, event.motion.y, shift);
      break;
    case SDL_MOUSEWHEEL: {
      if (Input == nullptr) break;
      int x = 0;
      int y = 0;
      SDL_GetMouseState(&x, &y);
      // Mouse state is in window pixels; events were scaled to the logical size.
      SDL_Renderer* renderer = SDL_GetRenderer(Window);
      if (renderer != nullptr) {
        float lx = 0;
        float ly = 0;
        SDL_RenderWindowToLogical(renderer, x, y, &lx, &ly);
        x = static_cast<int>(lx);
        y = static_cast<int>(ly);
      }
      int dy = event.wheel.y;
      if (event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) dy = -dy;
      if (dy < 0) Input->WheelDown(x, y);
      if (dy > 0) Input->WheelUp(x, y);
      break;
    }
    default:
      break;
  }
}

int VirtualKeyOf(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 0x41 + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return 0x30 + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return 0x70 + (key - SDLK_F1);
  if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 0x61 + (key - SDLK_KP_1);
  switch (key) {
    case SDLK_KP_0: return 0x60;
    case SDLK_BACKSPACE: return 0x08;
    case SDLK_TAB: return 0x09;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return 0x0D;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT: return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL: return 0x11;
    case SDLK_LALT:
    case SDLK_RALT: return 0x12;
    case SDLK_PAUSE: return 0x13;
    case SDLK_ESCAPE: return 0x1B;
    case SDLK_SPACE: return 0x20;
    case SDLK_PAGEUP: return 0x21;
    case SDLK_PAGEDOWN: return 0x22;
    case SDLK_END: return 0x23;
    case SDLK_HOME: return 0x24;
    case SDLK_LEFT: return 0x25;
    case SDLK_UP: return 0x26;
    case SDLK_RIGHT: return 0x27;
    case SDLK_DOWN: return 0x28;
    case SDLK_INSERT: return 0x2D;
    case SDLK_DELETE: return 0x2E;
    default: return 0;
  }
}

int ShiftStateOf(Uint16 modifiers, Uint32 buttons) {
  int s = 0;
  if (modifiers & KMOD_SHIFT) s |= 1;
  if (modifiers & KMOD_ALT) s |= 2;
  if (modifiers & KMOD_CTRL) s |= 4;
  if (buttons & SDL_BUTTON(SDL_BUTTON_LEFT)) s |= 8;
  if (buttons & SDL_BUTTON(SDL_BUTTON_RIGHT)) s |= 16;
  if (buttons & SDL_BUTTON(SDL_BUTTON_MIDDLE)) s |= 32;
  return s;
}

std::string WrapMessageText(const std::string& text, std::size_t width) {
  std::string out;
  std::size_t lineStart = 0;  // where the current output line begins in out
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == '\n') {
      out += '\n';
      lineStart = out.size();
      ++i;
      continue;
    }
    // The next word with the spaces before it.
    std::size_t end = i;
    while (end < text.size() && text[end] == ' ') ++end;
    const std::size_t wordStart = end;
    while (end < text.size() && text[end] != ' ' && text[end] != '\n') ++end;
    if (out.size() > lineStart && out.size() - lineStart + (end - i) > width && wordStart < end) {
      out += '\n';
      lineStart = out.size();
      out.append(text, wordStart, end - wordStart);  // a new line starts without its spaces
    } else {
      out.append(text, i, end - i);
    }
    i = end;
  }
  return out;
}

bool HasDisplay() {
  const char* driver = SDL_GetCurrentVideoDriver();
  return driver != nullptr && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
}

void InstallMessageBox(SDL_Window* window) {
  if (!HasDisplay()) return;  // logged only
  SetMessageBoxHandler([window](const std::string& caption, const std::string& text) {
    // Nobody would be there to click it away.
    if (QuitSignalled()) return;
    // The box does not wrap its text: one long line would run off the screen.
    const std::string wrapped = WrapMessageText(text, 64);
    TplatMessageBoxWatch watch;
    const int shown = SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, caption.c_str(), wrapped.c_str(), window);
    if (watch.Ended())
      LogLine("message box \"" + caption + "\" closed: the program was asked to quit");
    else if (shown != 0)
      LogLine(std::string("cannot show the message box: ") + SDL_GetError());
  });
}
