// The Windows build, orbitrand.exe, under Wine on the tests' X display: the
// same program on an independent implementation of the Windows API. Wine's
// bitmap fonts on Mesa draw no spaces, so no check here depends on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

// The desktop that the virtual display starts with.
constexpr int kDesktopWidth = 1024;

class Wine : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(ORBITRAND_WINDOWS_PROGRAM)) {
      GTEST_SKIP() << "no " << ORBITRAND_WINDOWS_PROGRAM << ": run scripts/build-windows.sh";
    }
  }

  // The registry file goes into the test run's Wine prefix, then the program starts.
  void start(int width, int height) {
    stage.requestMode(width, height);
    program = std::make_unique<Program>(
        stage, std::vector<std::string>{
                   "sh", "-c",
                   "wine regedit /S \"$XDG_CONFIG_HOME/orbitrand/registry.reg\" || exit 125; "
                   "exec wine " + std::string(ORBITRAND_WINDOWS_PROGRAM)},
        stage.dataDir());
  }

  bool framesDrawn() {
    return waitFor([&] { return showsFrames(screen.grab()); }, seconds(60));
  }

  // Keys go to the window with the focus; one that the key destroys must
  // have it first, or the key stays held down.
  void focus(const std::string& window) {
    xdotool("windowfocus --sync " + std::to_string(screen.findWindow(window, seconds(5))));
  }

  Stage stage;
  Screen screen;
  std::unique_ptr<Program> program;
};

TEST_F(Wine, StartsInTheRegistrysModeDrawsFramesAndAltF4RestoresTheDesktop) {
  start(640, 480);
  // The splash: white text left of and below the centre, the rest black.
  EXPECT_TRUE(waitFor([&] {
    const Image s = screen.grab();
    return s.width == 640 && s.count(240, 240, 320, 280, isWhite) > 20 &&
           s.count(0, 0, 640, 160, isBlack) > 640 * 160 * 9 / 10;
  }, seconds(60))) << program->errorOutput();
  ASSERT_TRUE(framesDrawn()) << program->errorOutput();
  screen.grab().savePng(screenshotPath("wine-flight"));
  EXPECT_EQ(screen.mode().first, 640);
  focus("Orbitrand");
  EXPECT_EQ(program->endBy("alt+F4"), 0) << program->errorOutput();
  EXPECT_EQ(screen.mode().first, kDesktopWidth);
}

TEST_F(Wine, AMissingTexturesErrorIsDismissedAndHeldEscapeEndsWithZero) {
  stage.omit("tex_kesh.bmp");
  start(800, 600);
  ASSERT_NE(screen.findWindow("Error", seconds(60)), 0u) << program->errorOutput();
  screen.grab().savePng(screenshotPath("wine-missing-texture"));
  focus("Error");
  xdotool("key Return");
  EXPECT_TRUE(waitFor([&] { return !screen.findWindow("Error", milliseconds(0)); }, seconds(30)));
  ASSERT_TRUE(framesDrawn()) << program->errorOutput();
  focus("Orbitrand");
  EXPECT_EQ(program->endBy("Escape"), 0) << program->errorOutput();
}

TEST_F(Wine, AModeTheDisplayLacksEndsWithOneAndLeavesTheDesktop) {
  start(1234, 567);
  EXPECT_EQ(program->waitForExit(seconds(60)), 1) << program->errorOutput();
  EXPECT_EQ(screen.mode().first, kDesktopWidth);
}

}  // namespace
}  // namespace e2e
