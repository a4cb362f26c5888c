#pragma once
// What the program asks of the X window system directly, kept apart because its
// headers define names (KeyPress, Window, ...) that clash with the game's.
#include <SDL.h>

// False on an X server without a window manager that follows the EWMH
// conventions: a full-screen request would leave the window as it is. True on
// every other window system.
bool WindowSystemGrantsFullscreen(SDL_Window* window);
