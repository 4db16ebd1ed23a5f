// The display settings read from real registry files, and the display modes under Xvfb
// (scripts/with-display.sh offers 640x480, 800x600 and 1024x768 at 60 Hz and 1280x1024 at an
// unknown rate, from a 1024x768 desktop).
#include <gtest/gtest.h>
#include <stdlib.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <tuple>

#include "app/display_settings.h"
#include "platform/testing/testing.h"
#include "tests/support/bmp_files.h"

namespace {

// Keys and value names are found whatever their case, as in the registry.
const std::string kKey =
    "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\ardentix\\Velmora - practice]\r\n";
const std::string kWidth = "\"Width\"=dword:00000400\r\n",
                  kHeight = "\"Height\"=dword:00000300\r\n",
                  kBitsAndFrequency =
                      "\"BitsPerPixel\"=dword:00000010\r\n\"Frequency\"=dword:0000004b\r\n";

TEST(DisplaySettings, EachValueThatCannotBeReadStartsTheCascade) {
  const std::tuple<const char*, std::string, std::array<int32_t, 4>> cases[] = {
      {"no file", "", {800, 600, 32, 60}},
      {"all four among others",
       kKey + "; a comment\r\n\"Name\"=\"a \\\"quoted\\\" C:\\\\path\"\r\n@=\"default\"\r\n" +
           "\"Bytes\"=hex:01,02,\\\r\n  0a,FF\r\n" + kWidth + kHeight + kBitsAndFrequency,
       {1024, 768, 16, 75}},
      {"only Width", kKey + "\"width\"=dword:00000400\r\n", {1024, 600, 32, 60}},
      {"all but Height", kKey + kWidth + kBitsAndFrequency, {1024, 600, 32, 60}},
      // Four digits and their zero do not fit a DWORD: ERROR_MORE_DATA.
      {"Width as a string", kKey + "\"Width\"=\"1024\"\r\n" + kHeight, {800, 600, 32, 60}},
      {"BitsPerPixel as a string",
       kKey + kWidth + kHeight + "\"BitsPerPixel\"=\"1600\"\r\n",
       {1024, 768, 32, 60}},
      {"a damaged Height",
       kKey + kWidth + "\"Height\"=dword:0300\x01\xFF\r\n\"Bits",
       {1024, 600, 32, 60}},
  };
  const std::string config = temporaryPath("config"), file = config + "/orbitrand/registry.reg";
  std::filesystem::create_directories(config + "/orbitrand");
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);  // a configuration of the test's own, and only that
  setenv("XDG_CONFIG_DIRS", (config + "/none").c_str(), 1);
  for (const auto& [what, contents, expected] : cases) {
    SCOPED_TRACE(what);
    std::filesystem::remove(file);
    if (!contents.empty()) std::ofstream(file, std::ios::binary) << contents;
    g_display = {1, 2, 3, 4};
    readDisplaySettings();
    const auto& [width, height, bits, frequency] = g_display;
    EXPECT_EQ((std::array{width, height, bits, frequency}), expected);
  }
}

TEST(DisplayMode, OnlyModesTheDisplayHasAreAccepted) {
  // Each request, its answer and the screen's width after it: a refused request changes nothing;
  // a rate the display reports as unknown matches any; 0 asks for the default.
  const int ok = DISP_CHANGE_SUCCESSFUL, bad = DISP_CHANGE_BADMODE;
  const std::array<int, 6> requests[] = {
      {800, 600, 32, 60, ok, 800},  {640, 480, 24, 60, ok, 640},   {800, 600, 32, 75, bad, 640},
      {800, 600, 16, 60, bad, 640}, {1000, 700, 32, 60, bad, 640}, {1280, 1024, 32, 75, ok, 1280},
      {1024, 768, 32, 0, ok, 1024}};
  for (const auto& [width, height, bits, frequency, answer, screenWidth] : requests) {
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    mode.dmPelsWidth = width, mode.dmPelsHeight = height, mode.dmBitsPerPel = bits,
    mode.dmDisplayFrequency = frequency;
    EXPECT_EQ(ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN), answer) << width << "x" << height;
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), screenWidth);
  }
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_TRUE(platform::testing::lastDisplayModeRequest().desktop);
}

}  // namespace
