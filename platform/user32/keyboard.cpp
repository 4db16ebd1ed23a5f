// Key and button state: GetKeyState. As on Windows it reports the state as of
// the input messages already taken from the queue, not the live devices: a
// key is held (0x80 in the low byte, the value negative) from its key-down
// message to its key-up message, and its toggle bit (0x01) flips at each
// press. Mouse buttons have their virtual-key codes VK_LBUTTON, VK_RBUTTON,
// VK_MBUTTON.
//
// Not provided: GetAsyncKeyState, GetKeyboardState, the left and right
// variants of Shift, Ctrl and Alt (VK_LSHIFT ...).
#include "platform/user32/keyboard.h"

namespace platform {
namespace {

constexpr BYTE kHeld = 0x80;
constexpr BYTE kToggled = 0x01;
BYTE keyStates[256] = {};

void press(WPARAM virtualKey) {
  BYTE& state = keyStates[virtualKey & 0xFF];
  if (!(state & kHeld)) state ^= kToggled;  // auto-repeat does not toggle
  state |= kHeld;
}

void release(WPARAM virtualKey) { keyStates[virtualKey & 0xFF] &= BYTE(~kHeld); }

}  // namespace

void followInputMessage(const MSG& message) {
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: press(message.wParam); break;
    case WM_KEYUP:
    case WM_SYSKEYUP: release(message.wParam); break;
    case WM_LBUTTONDOWN: press(VK_LBUTTON); break;
    case WM_LBUTTONUP: release(VK_LBUTTON); break;
    case WM_RBUTTONDOWN: press(VK_RBUTTON); break;
    case WM_RBUTTONUP: release(VK_RBUTTON); break;
    case WM_MBUTTONDOWN: press(VK_MBUTTON); break;
    case WM_MBUTTONUP: release(VK_MBUTTON); break;
    default: break;
  }
}

}  // namespace platform

short WINAPI GetKeyState(int virtualKey) {
  const BYTE state = platform::keyStates[virtualKey & 0xFF];
  // The state byte widened with its sign, as Windows returns it: held keys
  // read 0xFF80, so both the 0x80 and the 0x8000 test work.
  return short(((state & platform::kHeld) ? -128 : 0) | (state & platform::kToggled));
}
