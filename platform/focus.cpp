// Keyboard focus: which window receives keyboard messages and owns message
// boxes. GetFocus only; SetFocus belongs with the windows.
#include "platform/user32.h"

namespace platform {
HWND focusWindow = nullptr;
}

HWND WINAPI GetFocus() { return platform::focusWindow; }
