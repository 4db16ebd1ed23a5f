// Inside the stand-in: SDL's video subsystem, which windows, input, display
// modes and OpenGL contexts share, and SDL's own X connection. It starts on
// first use.
#pragma once

struct _XDisplay;  // Xlib's Display, kept out of the headers that name windows

namespace platform {

// Starts SDL's video subsystem unless it runs already; false when no display
// can be opened.
bool startVideo();
// The X connection that SDL's windows belong to (started if need be), or null
// where SDL's video does not run on X. Display modes and the window manager's
// hints go through it: Xwayland shows a mode only to the client that asked.
_XDisplay* videoConnection();

}  // namespace platform
