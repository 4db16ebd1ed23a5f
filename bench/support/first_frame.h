// Seeing the program's first frame from outside it, on the X display.
#pragma once

#include <chrono>
#include <optional>

#include "tests/e2e/program.h"

// When the first frame was seen, and when the screen was last looked at
// without it: the program presented the frame in between.
struct FirstFrameSighting {
  std::chrono::steady_clock::time_point lastMissed;
  std::chrono::steady_clock::time_point seen;
};

// Watches the heads-up display's speed line, about every millisecond, until
// the program's first frame writes its text there; nothing when the limit
// passes first. Until the splash, the desktop may show anything there: only
// white that follows the splash's black counts.
std::optional<FirstFrameSighting> waitForFirstFrame(const e2e::Screen& screen, int width,
                                                    int height, std::chrono::milliseconds limit);
