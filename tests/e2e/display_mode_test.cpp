// The desktop's display mode after every kind of end: killed or crashed in flight, no OpenGL on the
// display; and message boxes on a display that cannot show them.
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

const std::pair<int, int> kProgramMode{800, 600};

// A display of its own, its X server started with these arguments; its
// desktop mode, and a stage asking for the program's mode.
struct DisplayRun {
  explicit DisplayRun(const std::string& xvfbArguments = "")
      : screen("ORBITRAND_XVFB_ARGS='" + xvfbArguments + "' " ORBITRAND_WITH_DISPLAY),
        desktop(screen.mode()) {
    stage.requestMode(kProgramMode.first, kProgramMode.second);
  }
  bool modeBecomes(std::pair<int, int> mode, std::chrono::seconds limit) const {
    return waitFor([&] { return screen.mode() == mode; }, limit);
  }
  Screen screen;
  const std::pair<int, int> desktop;
  Stage stage;
};

TEST(DesktopMode, ComesBackWithinTwoSecondsWhenTheProgramIsKilledOrCrashes) {
  for (const int signal : {SIGKILL, SIGSEGV}) {
    DisplayRun run;
    ASSERT_NE(run.desktop, kProgramMode);
    Program program(run.stage);
    ASSERT_TRUE(run.modeBecomes(kProgramMode, 30s)) << program.errorOutput();
    kill(program.pid(), signal);
    EXPECT_EQ(program.waitForExit(10s), 128 + signal);
    EXPECT_TRUE(run.modeBecomes(run.desktop, 2s)) << "signal " << signal;
  }
}

TEST(DesktopMode, ADisplayWithoutOpenGlEndsWithCodeTwoAndTheDesktopModeBack) {
  DisplayRun run("-extension GLX");
  Program program(run.stage);
  EXPECT_EQ(program.waitForExit(30s), 2) << program.errorOutput();
  EXPECT_TRUE(run.modeBecomes(run.desktop, 2s));
}

// Core fonts other than the server's built-in ones are what SDL's boxes need.
TEST(MessageBox, WhereNoneCanBeShownStandardErrorSaysSoOnceAndTheProgramRunsOn) {
  DisplayRun run("-fp built-ins");
  run.stage.omit("tex_kesh.bmp");
  run.stage.omit("moon.bmp");
  Program program(run.stage);
  ASSERT_TRUE(waitFor([&] { return showsFrames(run.screen.grab()); }, 60s))
      << program.errorOutput();
  EXPECT_EQ(program.endBy("Escape"), 0);
  const std::string errors = program.errorOutput();
  for (const char* file : {"tex_kesh.bmp", "moon.bmp"})
    EXPECT_NE(errors.find("Error: Failed to open DIB file "s + file + ".\n"), std::string::npos)
        << errors;
  const std::string note = "Message boxes cannot be shown here (";
  EXPECT_TRUE(errors.find(note) != std::string::npos && errors.find(note) == errors.rfind(note))
      << errors;
}

}  // namespace
}  // namespace e2e
