// Inside the stand-in: how the display mode that ChangeDisplaySettingsA set
// reaches the windows.
#pragma once

namespace platform {

struct Window;

// Shows the window full-screen in the program's display mode when it is a
// popup covering that mode's screen, and as a plain window otherwise.
void fitToDisplayMode(Window& window);

}  // namespace platform
