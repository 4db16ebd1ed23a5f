// A short scripted flight with real input events, told step by step, with a
// screenshot after each step for a person to look at. Run it on a display of
// its own: scripts/with-display.sh build/tests/demonstration [launcher]
// With a launcher (an installed orbitrand), that is started from an empty
// folder instead of the built program. Ends with the program's exit code.
#include <cstdio>
#include <string>

#include "tests/e2e/program.h"

using namespace e2e;
using std::chrono::milliseconds;
using std::chrono::seconds;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

int shots = 0;

void snapshot(const Screen& screen, const char* name) {
  char numbered[64];
  std::snprintf(numbered, sizeof numbered, "demo-%02d-%s", ++shots, name);
  screen.grab().savePng(screenshotPath(numbered));
}

void steer(int dx, int dy, int moves) {
  const std::string move = "mousemove_relative -- " + std::to_string(dx) + " " + std::to_string(dy);
  for (int k = 0; k < moves; ++k) {
    xdotool(move);
    pause(milliseconds(40));
  }
}

void fire(milliseconds time) {
  xdotool("mousedown 3");
  pause(time);
  xdotool("mouseup 3");
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each sentence as it happens, also into a pipe
  Stage stage;
  stage.requestMode(kWidth, kHeight);
  Screen screen;
  std::puts("Starting Orbitrand full-screen at 800 x 600.");
  // The built program, or the launcher named on the command line.
  Program program = argc > 1 ? Program(stage, {argv[1]}, stage.configDir()) : Program(stage);
  if (!screen.findWindow("Orbitrand", seconds(30)) || !screen.waitForFrames(kWidth, kHeight, seconds(90))) {
    std::printf("Orbitrand showed no frames:\n%s", program.errorOutput().c_str());
    return 1;
  }
  snapshot(screen, "start");

  std::puts("Holding R raises the thrust power.");
  holdKey("r", milliseconds(1500));
  snapshot(screen, "power-up");

  std::puts("With the left button held the mouse turns the ship right and up; the right button fires.");
  xdotool("mousedown 1");
  steer(25, 0, 10);
  steer(0, -20, 5);
  fire(milliseconds(1000));
  snapshot(screen, "steer-and-fire");

  std::puts("Releasing the left button brakes the rotation to rest.");
  xdotool("mouseup 1");
  pause(milliseconds(1500));
  snapshot(screen, "stabilised");

  std::puts("A selects the port thruster.");
  xdotool("key a");
  pause(milliseconds(300));
  snapshot(screen, "port-thruster");

  std::puts("Tab turns the velocity-rotating mode on, back on the main thruster.");
  xdotool("key Tab");
  pause(milliseconds(300));
  snapshot(screen, "velocity-rotating");

  std::puts("W selects the front thruster, and firing it brakes the ship.");
  xdotool("key w");
  xdotool("mousedown 1");
  fire(milliseconds(1000));
  xdotool("mouseup 1");
  pause(milliseconds(300));
  snapshot(screen, "braked");

  std::puts("Holding Escape ends the program.");
  holdKey("Escape", milliseconds(400));
  const int code = program.waitForExit(seconds(30));
  std::printf("Screenshots are in %s; Orbitrand ended with exit code %d.\n", screenshotFolder().c_str(), code);
  return code;
}
