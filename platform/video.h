// Inside the stand-in: SDL's video subsystem, which windows, input, display
// modes and OpenGL contexts share. It starts on first use.
#pragma once

namespace platform {

// Starts SDL's video subsystem unless it runs already; false when no display
// can be opened.
bool startVideo();

}  // namespace platform
