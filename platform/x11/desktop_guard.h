// Inside the stand-in: the promise that the desktop's display mode returns
// when the process ends, however it ends. The guard is a small process of its
// own, orbitrand-desktop-guard beside the program's executable, started when
// the program first leaves the desktop mode; it puts the desktop mode back
// when the program ends without having done so.
#pragma once

namespace platform {

// The display is about to leave the desktop mode: the guard saves the
// desktop's layout before this returns. Without the guard (not installed, or
// it failed) the program carries on unguarded.
void guardDesktopMode();
// The desktop mode is back: nothing is left to restore.
void desktopModeBack();

}  // namespace platform
