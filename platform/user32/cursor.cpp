// The cursor: ShowCursor, LoadCursorA, GetCursorPos, SetCursorPos.
// ShowCursor keeps Windows' display count (starting at 0; the pointer is
// shown while the count is 0 or more). Positions are screen coordinates: the
// X screen's, whose origin is the first display's top-left corner, as on
// Windows. SetCursorPos really moves the pointer (which then reports motion,
// as on Windows).
//
// Not provided: cursor shapes (LoadCursorA knows only the standard arrow,
// which SDL shows anyway), cursor clipping.
#include "platform/user32/cursor.h"

#include <SDL2/SDL.h>

#include <climits>

#include "platform/user32/input_events.h"
#include "platform/x11/video.h"

namespace platform {

int showCursorCount = 0;
std::optional<POINT> injectedCursorPos;

}  // namespace platform

int WINAPI ShowCursor(BOOL show) {
  int& count = platform::showCursorCount;
  // Held within int's range: a window that hides the cursor at every pointer
  // motion lowers the count for as long as the program runs.
  if (show && count < INT_MAX) ++count;
  if (!show && count > INT_MIN) --count;
  if (SDL_WasInit(SDL_INIT_VIDEO)) SDL_ShowCursor(count >= 0 ? SDL_ENABLE : SDL_DISABLE);
  return count;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE instance, LPCSTR cursorName) {
  // The standard cursors are shared handles that are never destroyed.
  static int arrow;
  return !instance && cursorName == IDC_ARROW ? reinterpret_cast<HCURSOR>(&arrow) : nullptr;
}

BOOL WINAPI GetCursorPos(POINT* point) {
  if (!point) return FALSE;
  if (platform::injectedCursorPos) {
    *point = *platform::injectedCursorPos;
    return TRUE;
  }
  if (!platform::startVideo()) return FALSE;
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  *point = {x, y};
  return TRUE;
}

BOOL WINAPI SetCursorPos(int x, int y) {
  if (platform::injectedCursorPos) {
    platform::injectedCursorPos = POINT{x, y};
    return TRUE;
  }
  if (!platform::startVideo() || SDL_WarpMouseGlobal(x, y) != 0) return FALSE;
  platform::notePointerPosition({x, y});
  return TRUE;
}
