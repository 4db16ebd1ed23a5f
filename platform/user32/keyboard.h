// Inside the stand-in: the key state that GetKeyState reports, which follows
// the input messages as they leave the queue.
#pragma once

#include "platform/user32.h"

namespace platform {

// The key state follows an input message as it is taken from the queue.
void followInputMessage(const MSG& message);

}  // namespace platform
