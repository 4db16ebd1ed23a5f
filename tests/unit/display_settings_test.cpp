// The display settings read from real registry files: each value that cannot
// be read takes its default, and so does every value after it.
#include <gtest/gtest.h>

#include <string>

#include "app/display_settings.h"
#include "tests/support/config_home.h"

namespace {

void expectSettings(int32_t width, int32_t height, int32_t bitsPerPixel, int32_t frequency) {
  EXPECT_EQ(g_display.Width, width);
  EXPECT_EQ(g_display.Height, height);
  EXPECT_EQ(g_display.BitsPerPixel, bitsPerPixel);
  EXPECT_EQ(g_display.Frequency, frequency);
}

void readWithValues(const ConfigHome& home, const std::string& values) {
  home.writeRegistryFile("REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\r\n" +
                         values);
  g_display = {1, 2, 3, 4};
  readDisplaySettings();
}

}  // namespace

TEST(DisplaySettings, WithoutARegistryFileAllAreDefaults) {
  ConfigHome home;
  g_display = {1, 2, 3, 4};
  readDisplaySettings();
  expectSettings(800, 600, 32, 60);
}

TEST(DisplaySettings, AllFourValuesAreRead) {
  ConfigHome home;
  readWithValues(home,
                 "\"Width\"=dword:00000500\r\n\"Height\"=dword:00000400\r\n"
                 "\"BitsPerPixel\"=dword:00000010\r\n\"Frequency\"=dword:0000004b\r\n");
  expectSettings(1280, 1024, 16, 75);
}

TEST(DisplaySettings, OnlyWidthGivesDefaultsForTheRest) {
  ConfigHome home;
  readWithValues(home, "\"Width\"=dword:00000400\r\n");
  expectSettings(1024, 600, 32, 60);
}

TEST(DisplaySettings, AMissingHeightCascadesOverValuesThatExist) {
  ConfigHome home;
  readWithValues(home,
                 "\"Width\"=dword:00000400\r\n\"BitsPerPixel\"=dword:00000010\r\n"
                 "\"Frequency\"=dword:0000004b\r\n");
  expectSettings(1024, 600, 32, 60);
}

TEST(DisplaySettings, AStringOfFourDigitsIsTooLongAndStartsTheCascade) {
  ConfigHome home;
  readWithValues(home, "\"Width\"=\"1024\"\r\n\"Height\"=dword:00000300\r\n");
  expectSettings(800, 600, 32, 60);
  readWithValues(home,
                 "\"Width\"=dword:00000400\r\n\"Height\"=dword:00000300\r\n"
                 "\"BitsPerPixel\"=\"1600\"\r\n\"Frequency\"=dword:0000004b\r\n");
  expectSettings(1024, 768, 32, 60);
}

TEST(DisplaySettings, ADamagedFileYieldsWhatCanBeRead) {
  ConfigHome home;
  readWithValues(home, "\"Width\"=dword:00000400\r\n\"Height\"=dword:0300\x01\xFF\r\n\"Bits");
  expectSettings(1024, 600, 32, 60);
  home.writeRegistryFile(std::string("REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Vel") +
                         std::string(100000, '\xFF'));
  readDisplaySettings();
  expectSettings(800, 600, 32, 60);
}
