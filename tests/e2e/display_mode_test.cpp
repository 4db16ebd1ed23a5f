// The desktop's display mode after every kind of end: killed or crashed in
// flight, no OpenGL on the display; and message boxes on a display that cannot
// show them.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

const std::pair<int, int> kProgramMode{800, 600};

bool waitForMode(const Screen& screen, std::pair<int, int> mode, milliseconds limit) {
  return waitFor([&] { return screen.mode() == mode; }, limit);
}

TEST(DesktopMode, ComesBackWithinTwoSecondsWhenTheProgramIsKilledOrCrashes) {
  for (const int signal : {SIGKILL, SIGSEGV}) {
    Stage stage;
    stage.requestMode(kProgramMode.first, kProgramMode.second);
    Screen screen;
    const auto desktop = screen.mode();
    ASSERT_NE(desktop, kProgramMode);
    Program program(stage);
    ASSERT_TRUE(waitForMode(screen, kProgramMode, seconds(30))) << program.errorOutput();
    pause(milliseconds(500));
    kill(program.pid(), signal);
    EXPECT_EQ(program.waitForExit(seconds(10)), 128 + signal);
    EXPECT_TRUE(waitForMode(screen, desktop, seconds(2))) << "signal " << signal;
  }
}

TEST(DesktopMode, ADisplayWithoutOpenGlEndsWithCodeTwoAndTheDesktopModeBack) {
  VirtualDisplay noOpenGl("-extension GLX");
  Stage stage;
  stage.requestMode(kProgramMode.first, kProgramMode.second);
  Screen screen;
  const auto desktop = screen.mode();
  Program program(stage);
  EXPECT_EQ(program.waitForExit(seconds(30)), 2) << program.errorOutput();
  EXPECT_TRUE(waitForMode(screen, desktop, seconds(2)));
}

// Core fonts other than the server's built-in ones are what SDL's boxes need.
TEST(MessageBox, WhereNoneCanBeShownStandardErrorSaysSoOnceAndTheProgramRunsOn) {
  VirtualDisplay noFonts("-fp built-ins");
  Stage stage;
  stage.requestMode(kProgramMode.first, kProgramMode.second);
  stage.omit("tex_kesh.bmp");
  stage.omit("moon.bmp");
  Program program(stage);
  const auto end = std::chrono::steady_clock::now() + seconds(60);
  while (program.running() && std::chrono::steady_clock::now() < end) holdKey("Escape", milliseconds(400));
  EXPECT_EQ(program.waitForExit(seconds(1)), 0);
  const std::string errors = program.errorOutput();
  EXPECT_NE(errors.find("Error: Failed to open DIB file tex_kesh.bmp.\n"), std::string::npos) << errors;
  EXPECT_NE(errors.find("Error: Failed to open DIB file moon.bmp.\n"), std::string::npos) << errors;
  const std::string note = "Message boxes cannot be shown here (";
  const size_t first = errors.find(note);
  EXPECT_NE(first, std::string::npos) << errors;
  EXPECT_EQ(errors.find(note, first + 1), std::string::npos) << errors;
}

}  // namespace
}  // namespace e2e
