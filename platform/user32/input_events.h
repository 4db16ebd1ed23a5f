// Inside the stand-in: the window system's input, which PeekMessageA takes
// into the message queue one event at a time, and the pointer position.
#pragma once

#include "platform/user32.h"

namespace platform {

// Takes one event from the window system and queues its messages; false when
// no event was waiting.
bool pumpInputEvent();
// The last pointer position that input or SetCursorPos reported, in screen
// coordinates.
POINT lastPointerPosition();
void notePointerPosition(POINT position);

}  // namespace platform
