// The Windows build, orbitrand.exe, under Wine on the tests' X display: the
// same program on an independent implementation of the Windows API. Wine's
// bitmap fonts on Mesa draw no spaces, so no check here depends on them.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

// On a Wine server of its own, which takes the desktop's mode as it finds it, the registry file
// asking for the mode goes into the test run's Wine prefix; then the program.
Program startUnderWine(Stage& stage, int width, int height) {
  stage.requestMode(width, height);
  const std::string command =
      "wineserver -k; wineserver -w; "
      "wine regedit /S \"$XDG_CONFIG_HOME/orbitrand/registry.reg\" || exit 125; exec wine ";
  return Program(stage, {"sh", "-c", command + ORBITRAND_WINDOWS_PROGRAM}, stage.dataDir());
}

// A mode the display lacks ends it with code 1. In the registry file's mode
// it shows the missing texture's error (over the splash, which the other
// layers show), then frames; Alt+F4, and in the next run held Escape, end it.
TEST(Wine, RefusesAModeTheDisplayLacksAndFliesInItsModeUntilAltF4OrEscape) {
  if (!std::filesystem::exists(ORBITRAND_WINDOWS_PROGRAM))
    GTEST_SKIP() << "run scripts/build-windows.sh";
  Screen screen;
  const int desktop = screen.mode().first;
  Stage refused, withoutTexture, whole;
  Program refusedRun = startUnderWine(refused, 1234, 567);
  EXPECT_EQ(refusedRun.waitForExit(60s), 1) << refusedRun.errorOutput();
  EXPECT_EQ(screen.mode().first, desktop);

  withoutTexture.omit("tex_kesh.bmp");
  Program program = startUnderWine(withoutTexture, 640, 480);
  const unsigned long box = screen.findWindow("Error", 60s);
  ASSERT_NE(box, 0u) << program.errorOutput();
  screen.grab().savePng(screenshotPath("wine-missing-texture"));
  EXPECT_EQ(screen.mode().first, 640);
  xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
  EXPECT_TRUE(waitFor([&] { return !screen.findWindow("Error"); }, 30s));
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, 60s)) << program.errorOutput();
  screen.grab().savePng(screenshotPath("wine-flight"));
  // The keys go where the focus is, which must be the window they close.
  xdotool("windowfocus --sync " + std::to_string(screen.findWindow("Orbitrand", 5s)));
  EXPECT_EQ(program.endBy("alt+F4"), 0) << program.errorOutput();
  EXPECT_EQ(screen.mode().first, desktop);

  Program flying = startUnderWine(whole, 800, 600);
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, 60s)) << flying.errorOutput();
  xdotool("windowfocus --sync " + std::to_string(screen.findWindow("Orbitrand", 5s)));
  EXPECT_EQ(flying.endBy("Escape"), 0) << flying.errorOutput();
}

}  // namespace
}  // namespace e2e
