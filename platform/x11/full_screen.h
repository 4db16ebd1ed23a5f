// Inside the stand-in: the full-screen window as desktops know it. On Windows
// a borderless window that covers the screen is a full-screen window: the
// taskbar steps aside for it. On X the window manager learns it from the
// window's EWMH state, which must be there before the window is first mapped,
// so that nobody waits for the window manager to change it afterwards.
#pragma once

struct SDL_Window;

namespace platform {

// Whether a WS_POPUP window of that place and size covers the screen.
bool coversScreen(int x, int y, int width, int height);
// For a window not yet mapped: the window manager is to keep it full-screen,
// at (0, 0) above every panel whenever it is active, and compositors to stand
// aside (SDL asks that of every plain window already).
void markFullScreen(SDL_Window* window);

}  // namespace platform
