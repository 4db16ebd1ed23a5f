// Inside the stand-in: the cursor's state, which the test seam reads and sets.
#pragma once

#include <optional>

#include "platform/user32.h"

namespace platform {

// ShowCursor's display count: the pointer shows while it is 0 or more.
extern int showCursorCount;
// A position that a test gave the cursor: while there is one, GetCursorPos
// answers it and SetCursorPos moves it instead of the real pointer.
extern std::optional<POINT> injectedCursorPos;

}  // namespace platform
