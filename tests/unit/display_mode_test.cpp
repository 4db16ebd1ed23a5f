// Display modes under Xvfb (scripts/with-display.sh offers 640x480, 800x600
// and 1024x768 at 60 Hz and 1280x1024 at an unknown rate, from a 1024x768
// desktop).
#include <gtest/gtest.h>

#include <array>

#include "platform/testing.h"

namespace {

LONG requestMode(DWORD width, DWORD height, DWORD bitsPerPixel, DWORD frequency) {
  DEVMODEA mode = {};
  mode.dmSize = sizeof mode;
  mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
  mode.dmPelsWidth = width;
  mode.dmPelsHeight = height;
  mode.dmBitsPerPel = bitsPerPixel;
  mode.dmDisplayFrequency = frequency;
  return ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
}

TEST(DisplayMode, OnlyModesTheDisplayHasAreAccepted) {
  EXPECT_EQ(requestMode(800, 600, 32, 60), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 600);
  EXPECT_EQ(requestMode(640, 480, 24, 60), DISP_CHANGE_SUCCESSFUL);
  for (const auto& refused : {std::array<DWORD, 4>{800, 600, 32, 75}, {800, 600, 16, 60}, {1000, 700, 32, 60}})
    EXPECT_EQ(requestMode(refused[0], refused[1], refused[2], refused[3]), DISP_CHANGE_BADMODE) << refused[0];
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640) << "a refused request changes nothing";
  // A rate the display reports as unknown matches any; 0 asks for the default.
  EXPECT_EQ(requestMode(1280, 1024, 32, 75), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(requestMode(1024, 768, 32, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_TRUE(platform::testing::lastDisplayModeRequest().desktop);
}

}  // namespace
