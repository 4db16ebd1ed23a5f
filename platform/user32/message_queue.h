// Inside the stand-in: the message queue, as the window system's input enters
// it and a destroyed window leaves it.
#pragma once

#include "platform/user32.h"

namespace platform {

// Adds a message translated from the window system's input; false when the
// queue is full and the input is lost.
bool queueInput(const MSG& message);
// Drops the waiting messages of a window that is being destroyed.
void forgetMessagesFor(HWND window);

}  // namespace platform
