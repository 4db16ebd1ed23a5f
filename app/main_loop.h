// The main loop, run once start-up is complete.
#pragma once

// Never blocks: one waiting message per turn, or a frame when none waits and
// the application is active. Only WM_CLOSE (through shutdown) ends it.
void runMainLoop();
