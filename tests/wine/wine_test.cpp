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

class Wine : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!std::filesystem::exists(ORBITRAND_WINDOWS_PROGRAM)) GTEST_SKIP() << "run scripts/build-windows.sh";
  }

  // The registry file goes into the test run's Wine prefix, then the program starts.
  void start(int width, int height) {
    stage.requestMode(width, height);
    const std::string command = "wine regedit /S \"$XDG_CONFIG_HOME/orbitrand/registry.reg\" || exit 125; exec wine ";
    const std::vector<std::string> shell = {"sh", "-c", command + ORBITRAND_WINDOWS_PROGRAM};
    program = std::make_unique<Program>(stage, shell, stage.dataDir());
  }

  // Keys go to the window with the focus: one that the key destroys must
  // have it first, or the key stays held down.
  int endBy(const std::string& keys) {
    xdotool("windowfocus --sync " + std::to_string(screen.findWindow("Orbitrand", seconds(5))));
    return program->endBy(keys);
  }

  Stage stage;
  Screen screen;
  std::unique_ptr<Program> program;
};

TEST_F(Wine, StartsInTheRegistrysModeDrawsFramesAndAltF4RestoresTheDesktop) {
  start(640, 480);
  EXPECT_TRUE(waitFor([&] { const Image s = screen.grab(); return s.width == 640 && showsSplash(s); }, seconds(60)))
      << program->errorOutput();
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, seconds(60))) << program->errorOutput();
  screen.grab().savePng(screenshotPath("wine-flight"));
  EXPECT_EQ(screen.mode().first, 640);
  EXPECT_EQ(endBy("alt+F4"), 0) << program->errorOutput();
  EXPECT_EQ(screen.mode().first, 1024);  // the virtual display's own mode
}

TEST_F(Wine, AMissingTexturesErrorIsDismissedAndHeldEscapeEndsWithZero) {
  stage.omit("tex_kesh.bmp");
  start(800, 600);
  const unsigned long box = screen.findWindow("Error", seconds(60));
  ASSERT_NE(box, 0u) << program->errorOutput();
  screen.grab().savePng(screenshotPath("wine-missing-texture"));
  xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
  EXPECT_TRUE(waitFor([&] { return !screen.findWindow("Error", milliseconds(0)); }, seconds(30)));
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, seconds(60))) << program->errorOutput();
  EXPECT_EQ(endBy("Escape"), 0) << program->errorOutput();
}

}  // namespace
}  // namespace e2e
