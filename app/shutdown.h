// The orderly end: the world destroyed, the desktop mode and the cursor
// restored, the OpenGL context, the window and its class released.
#pragma once

// Called once, by the window procedure on WM_CLOSE.
void shutdown();

// Destroys the scene objects, then the bodies, emptying both lists; the
// first two steps of shutdown.
void destroyWorldLists();
