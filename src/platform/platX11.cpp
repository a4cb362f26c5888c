#include "platform/platX11.h"

#include <SDL_syswm.h>

#include <vector>

#if defined(SDL_VIDEO_DRIVER_X11)
#include <X11/Xatom.h>

namespace {

int IgnoreXError(Display*, XErrorEvent*) { return 0; }

bool ReadProperty(Display* d, Window w, Atom property, Atom type, long count, std::vector<unsigned long>& out) {
  out.clear();
  Atom actualType = None;
  int format = 0;
  unsigned long n = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(d, w, property, 0, count, False, type, &actualType, &format, &n, &after, &data) != Success)
    return false;
  if (data != nullptr && actualType == type && format == 32) {
    const auto* values = reinterpret_cast<const unsigned long*>(data);
    out.assign(values, values + n);
  }
  if (data != nullptr) XFree(data);
  return !out.empty();
}

// Whether a window manager following the EWMH conventions runs and can make a
// window full screen: only such a one carries out a full-screen request. A bare
// X server (kiosks, classrooms) leaves the window as it is.
bool X11CanGoFullscreen(Display* d) {
  const Window root = DefaultRootWindow(d);
  const Atom check = XInternAtom(d, "_NET_SUPPORTING_WM_CHECK", False);
  std::vector<unsigned long> values;
  if (!ReadProperty(d, root, check, XA_WINDOW, 1, values)) return false;
  const auto manager = static_cast<Window>(values[0]);
  // The property may be left over from a window manager that has gone: its
  // window must still exist and point at itself.
  XSync(d, False);
  auto previous = XSetErrorHandler(IgnoreXError);
  const bool alive = ReadProperty(d, manager, check, XA_WINDOW, 1, values) && values[0] == manager;
  XSync(d, False);
  XSetErrorHandler(previous);
  if (!alive) return false;
  const Atom fullscreen = XInternAtom(d, "_NET_WM_STATE_FULLSCREEN", False);
  if (!ReadProperty(d, root, XInternAtom(d, "_NET_SUPPORTED", False), XA_ATOM, 4096, values)) return false;
  for (unsigned long a : values)
    if (a == fullscreen) return true;
  return false;
}

}  // namespace
#endif

bool WindowSystemGrantsFullscreen(SDL_Window* window) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) && info.subsystem == SDL_SYSWM_X11)
    return X11CanGoFullscreen(info.info.x11.display);
#elif defined(__EMSCRIPTEN__)
  // In a browser the page is the screen, and the canvas fills it already.
  (void)window;
  return false;
#else
  (void)window;
#endif
  return true;
}
