// A short scripted flight with real input events, told step by step, with a
// screenshot after each step for a person to look at. Run it on a display of
// its own: scripts/with-display.sh build/tests/demonstration [launcher]
// With a launcher (an installed orbitrand), that is started from an empty
// folder instead of the built program. Ends with the program's exit code.
#include <cstdio>
#include <string>

#include "tests/e2e/program.h"

using namespace e2e;

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each sentence as it happens, also into a pipe
  Stage stage;
  stage.requestMode(800, 600);
  Screen screen;
  std::puts("Starting Orbitrand full-screen at 800 x 600.");
  // The built program, or the launcher named on the command line.
  Program program = argc > 1 ? Program(stage, {argv[1]}, stage.configDir()) : Program(stage);
  if (!waitFor([&] { return showsFrames(screen.grab()); }, 90s)) {
    std::printf("Orbitrand showed no frames:\n%s", program.errorOutput().c_str());
    return 1;
  }
  std::string steering = "mousedown 1 ";  // in small moves, as a hand makes them
  for (int k = 0; k < 10; ++k) steering += "mousemove_relative -- 25 -10 sleep 0.04 ";
  const struct {
    const char* said;
    std::string input;  // xdotool's commands
    const char* shot;
  } steps[] = {
      {"Orbitrand is flying.", "sleep 0", "start"},
      {"Holding R raises the thrust power.", "keydown r sleep 1.5 keyup r", "power-up"},
      {"With the left button held the mouse turns the ship right and up; the right button fires.",
       steering + "mousedown 3 sleep 1 mouseup 3", "steer-and-fire"},
      {"Releasing the left button brakes the rotation to rest.", "mouseup 1 sleep 1.5",
       "stabilised"},
      {"A selects the port thruster.", "key a sleep 0.3", "port-thruster"},
      {"Tab turns the velocity-rotating mode on, back on the main thruster.", "key Tab sleep 0.3",
       "velocity-rotating"},
      {"W selects the front thruster, and firing it brakes the ship.",
       "key w mousedown 1 mousedown 3 sleep 1 mouseup 3 mouseup 1 sleep 0.3", "braked"},
  };
  int shot = 0;
  for (const auto& step : steps) {
    std::puts(step.said);
    xdotool(step.input);
    screen.grab().savePng(screenshotPath("demo-0" + std::to_string(++shot) + "-" + step.shot));
  }
  std::puts("Holding Escape ends the program.");
  const int code = program.endBy("Escape");
  std::printf("Screenshots are %s; Orbitrand ended with exit code %d.\n",
              screenshotPath("demo-*").c_str(), code);
  return code;
}
