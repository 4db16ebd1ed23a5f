// The program's own start-up, run inside a benchmark up to a current OpenGL
// context, so that what is timed draws exactly as the program draws.
#pragma once

#include "tests/e2e/program.h"

// In the stage's data folder and with its registry file, as WinMain runs them:
// the display settings, the full-screen window, the context with its render
// state, font and splash. False, having said why, when a step fails.
bool startGraphics(const e2e::Stage& stage);
