// A short scripted flight with real input events, for a person to watch
// through its screenshots; the command that starts the program runs it where
// no display is available.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

TEST(Demonstration, ScriptedFlight) {
  Stage stage;
  stage.requestMode(800, 600);
  Screen screen;
  Program program(stage);
  ASSERT_NE(screen.findWindow("Orbitrand", seconds(20)), 0u) << program.errorOutput();
  pause(seconds(3));
  int shot = 0;
  auto snapshot = [&](const char* what) {
    char name[64];
    std::snprintf(name, sizeof name, "demo-%02d-%s", ++shot, what);
    screen.grab().savePng(screenshotPath(name));
    std::printf("screenshot %s\n", screenshotPath(name).c_str());
  };
  snapshot("start");

  holdKey("r", milliseconds(1500));  // more power
  snapshot("power-up");
  xdotool("mousedown 1");  // steer: yaw right, then pitch up
  for (int k = 0; k < 10; ++k) {
    xdotool("mousemove_relative -- 25 0");
    pause(milliseconds(40));
  }
  for (int k = 0; k < 5; ++k) {
    xdotool("mousemove_relative -- 0 -20");
    pause(milliseconds(40));
  }
  xdotool("mousedown 3");  // fire the main thruster while steering
  pause(milliseconds(1000));
  xdotool("mouseup 3");
  snapshot("steer-and-fire");
  xdotool("mouseup 1");  // stabilising brings the rotation to rest
  pause(milliseconds(1500));
  snapshot("stabilised");

  xdotool("key a");  // port thruster
  pause(milliseconds(300));
  snapshot("port-thruster");
  xdotool("key Tab");  // velocity-rotating mode: back to the main thruster
  pause(milliseconds(300));
  snapshot("velocity-rotating");
  xdotool("key w");  // the front thruster brakes
  xdotool("mousedown 1");
  xdotool("mousedown 3");
  pause(milliseconds(1000));
  xdotool("mouseup 3");
  xdotool("mouseup 1");
  pause(milliseconds(300));
  snapshot("braked");

  holdKey("Escape", milliseconds(400));
  const int code = program.waitForExit(seconds(20));
  std::printf("The program ended with exit code %d.\n", code);
  EXPECT_EQ(code, 0);
}

}  // namespace
}  // namespace e2e
