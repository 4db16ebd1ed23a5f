// user32 message box and wsprintfA, on SDL2.
//
// Provided: MessageBoxA as a modal SDL message box with one OK button, its
// caption and text also written to standard error; wsprintfA with
// %s, %ws / %S (UTF-16, written as UTF-8), %hs, %c, %d, %i, %u, %x, %X and %%,
// with the flags, width and precision of printf.
// The box is modal over its owner window, and the keyboard focus goes back to
// the owner when it closes, as on Windows. Where SDL cannot show the box (an X
// server without core fonts), standard error says so once, with SDL's reason,
// and the call answers IDOK as if the user had closed it.
// Not provided: other button sets, icons and answers than OK.
#include "platform/message_box.h"

#include <SDL2/SDL.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/kernel32/utf16.h"
#include "platform/testing/testing.h"
#include "platform/user32/window.h"

namespace {

bool capturing = false;

std::vector<platform::testing::MessageBoxRecord>& records() {
  static std::vector<platform::testing::MessageBoxRecord> boxes;
  return boxes;
}

constexpr size_t kFormatLimit = 1024;  // wsprintfA's limit, terminating zero not counted

}  // namespace

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  const char* shownText = text ? text : "";
  const char* shownCaption = caption ? caption : "Error";
  if (capturing) {
    records().push_back({owner, shownText, shownCaption, type});
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
      std::fprintf(stderr, "Message boxes cannot be shown here (%s); their texts go only to standard error.\n",
                   SDL_GetError());
      told = true;
    }
  } else if (parent) {
    SDL_RaiseWindow(parent);
    SDL_SetWindowInputFocus(parent);
  }
  return IDOK;
}

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  std::string out;
  va_list arguments;
  va_start(arguments, format);
  for (const char* p = format; *p && out.size() < kFormatLimit; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    // One conversion: flags, width and precision go to snprintf as they are.
    std::string conversion = "%";
    ++p;
    while (*p && std::strchr("-+ #0", *p)) conversion += *p++;
    while (*p >= '0' && *p <= '9') conversion += *p++;
    if (*p == '.') {
      conversion += *p++;
      while (*p >= '0' && *p <= '9') conversion += *p++;
    }
    bool wide = false;
    bool narrow = false;
    if (*p == 'w' || *p == 'l') {
      wide = true;
      ++p;
    } else if (*p == 'h') {
      narrow = true;
      ++p;
    }
    if (!*p) break;
    char piece[kFormatLimit + 1];
    piece[0] = '\0';
    switch (*p) {
      case 's':
      case 'S': {
        const bool utf16 = (*p == 'S') ? !narrow : wide;
        std::string text;
        if (utf16) {
          const auto* value = va_arg(arguments, const char16_t*);
          text = value ? platform::utf8FromUtf16(value) : "(null)";
        } else {
          const char* value = va_arg(arguments, const char*);
          text = value ? value : "(null)";
        }
        std::snprintf(piece, sizeof piece, (conversion + 's').c_str(), text.c_str());
        break;
      }
      case 'c':
        std::snprintf(piece, sizeof piece, (conversion + 'c').c_str(), va_arg(arguments, int));
        break;
      case 'd':
      case 'i':
        std::snprintf(piece, sizeof piece, (conversion + 'd').c_str(), va_arg(arguments, int));
        break;
      case 'u':
      case 'x':
      case 'X':
        std::snprintf(piece, sizeof piece, (conversion + *p).c_str(), va_arg(arguments, unsigned));
        break;
      case '%':
        std::snprintf(piece, sizeof piece, "%%");
        break;
      default:  // an unknown conversion is written as it stands, as Windows does
        std::snprintf(piece, sizeof piece, "%s", (conversion + *p).c_str());
        break;
    }
    out += piece;
  }
  va_end(arguments);
  if (out.size() > kFormatLimit) out.resize(kFormatLimit);
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<int>(out.size());
}

namespace platform::testing {

void captureMessageBoxes(bool capture) { capturing = capture; }
const std::vector<MessageBoxRecord>& capturedMessageBoxes() { return records(); }
void clearCapturedMessageBoxes() { records().clear(); }

}  // namespace platform::testing
