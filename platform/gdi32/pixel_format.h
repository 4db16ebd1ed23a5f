// Inside the stand-in: the pixel format's failure that a test can force.
#pragma once

namespace platform {

// While set, SetPixelFormat fails.
extern bool setPixelFormatFails;

}  // namespace platform
