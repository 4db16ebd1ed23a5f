// Inside the stand-in: keyboard focus and the application's activation, which
// windows change synchronously and the window system changes through the
// message queue.
#pragma once

#include "platform/user32.h"

namespace platform {

// For ShowWindow and SetFocus: activates the application when it is inactive
// (WM_ACTIVATEAPP 1 sent to every window) and gives window the keyboard focus
// (WM_KILLFOCUS, WM_SETFOCUS sent).
void activateWindow(HWND window);
// For DestroyWindow: takes the focus from window and, when no other visible
// window is left, deactivates the application (WM_ACTIVATEAPP 0 sent).
void releaseActivation(HWND window);
// The window system moved the keyboard focus to or away from window. True when
// that activated or deactivated the application, which the caller announces
// with WM_ACTIVATEAPP through the queue.
bool noteFocusGained(HWND window);
bool noteFocusLost(HWND window);

}  // namespace platform
