// user32 message box, on SDL2.
//
// Provided: MessageBoxA as a modal SDL message box with one OK button, its
// caption and text also written to standard error.
// The box is modal over its owner window, and the keyboard focus goes back to
// the owner when it closes, as on Windows. Where SDL cannot show the box (an X
// server without core fonts), standard error says so once, with SDL's reason,
// and the call answers IDOK as if the user had closed it.
// Not provided: other button sets, icons and answers than OK.
#include "platform/user32/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>

#include "platform/user32/window.h"

namespace platform {

bool capturingMessageBoxes = false;

std::vector<MessageBoxRecord>& messageBoxRecords() {
  static std::vector<MessageBoxRecord> boxes;
  return boxes;
}

}  // namespace platform

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const char* shownText = text ? text : "";
  const char* shownCaption = caption ? caption : "Error";
  if (platform::capturingMessageBoxes) {
    platform::messageBoxRecords().push_back({owner, shownText, shownCaption, type});
    return IDOK;
  }
  // The terminal gets the text too, where a box on screen is easily missed
  // and cannot be copied from.
  std::fprintf(stderr, "%s: %s\n", shownCaption, shownText);
  const platform::Window* window = platform::windowFrom(owner);
  SDL_Window* parent = window ? window->sdl : nullptr;
  if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, shownCaption, shownText, parent) != 0) {
    // Otherwise nothing would tell that a box was meant to be on screen.
    static bool told = false;
    if (!told) {
      std::fprintf(
          stderr,
          "Message boxes cannot be shown here (%s); their texts go only to standard error.\n",
          SDL_GetError());
      told = true;
    }
  } else if (parent) {
    SDL_RaiseWindow(parent);
    SDL_SetWindowInputFocus(parent);
  }
  return IDOK;
}
