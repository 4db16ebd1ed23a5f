// Inside the stand-in: how the window system's input enters the message queue
// and how the key state follows what leaves it.
#pragma once

#include "platform/user32.h"

namespace platform {

// Adds a message translated from the window system's input; false when the
// queue is full and the input is lost.
bool queueInput(const MSG& message);
// Drops the waiting messages of a window that is being destroyed.
void forgetMessagesFor(HWND window);

// Takes one event from the window system and queues its messages; false when
// no event was waiting (input_events.cpp).
bool pumpInputEvent();
// The last pointer position that input or SetCursorPos reported, in screen
// coordinates (input_events.cpp).
POINT lastPointerPosition();
void notePointerPosition(POINT position);

// The key state follows an input message as it is taken from the queue
// (keyboard.cpp).
void followInputMessage(const MSG& message);

}  // namespace platform
