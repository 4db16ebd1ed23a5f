#include "bench/support/first_frame.h"

#include "tests/e2e/hud_layout.h"

std::optional<FirstFrameSighting> waitForFirstFrame(const e2e::Screen& screen, int width,
                                                    int height, std::chrono::milliseconds limit) {
  using Clock = std::chrono::steady_clock;
  const e2e::Box line = e2e::hudLine(kSpeedLine, width, height);
  const auto end = Clock::now() + limit;
  bool splashSeen = false;
  Clock::time_point missed = Clock::now();
  while (Clock::now() < end) {
    // The moment of the request: the server reads the screen after it.
    const auto looked = Clock::now();
    const e2e::Image image = screen.grab(line.x0, line.y0, line.x1, line.y1);
    const int all = image.width * image.height;
    if (!splashSeen) {
      splashSeen = image.count(0, 0, image.width, image.height, e2e::isBlack) == all;
    } else if (image.count(0, 0, image.width, image.height, e2e::isWhite) > 10) {
      return FirstFrameSighting{missed, Clock::now()};
    }
    missed = looked;
    e2e::pause(std::chrono::milliseconds(1));
  }
  return std::nullopt;
}
