// The registry file's reader, its location, the registry functions that
// answer from it, and the display settings read through them from real files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/display_settings.h"
#include "platform/registry_file.h"
#include "platform/win32.h"
#include "tests/support/config_home.h"

using platform::parseRegistryExport;
using platform::RegistryKeys;

namespace {

std::vector<BYTE> dword(uint32_t value) {
  return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

std::vector<BYTE> text(const std::string& value) { return {value.c_str(), value.c_str() + value.size() + 1}; }

TEST(RegistryExport, ReadsKeysAndEveryKindOfValueWithoutRegardToCase) {
  const RegistryKeys keys = parseRegistryExport(
      "REGEDIT4\r\n\r\n; the display mode\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\r\n"
      "\"Width\"=dword:00000400\r\n"
      "\"HEIGHT\" = dword:300\r\n"
      "\"Name\"=\"a \\\"quoted\\\" C:\\\\path\"\r\n"
      "@=\"default\"\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n  0a,FF\r\n"
      "\"Expand\"=hex(2):41,00,00,00\r\n");
  const platform::RegistryKey& values = keys.at("hkey_local_machine\\software\\ardentix\\velmora - practice");
  EXPECT_EQ(values.at("width").type, DWORD(REG_DWORD));
  EXPECT_EQ(values.at("width").data, dword(1024));
  EXPECT_EQ(values.at("height").data, dword(768));
  EXPECT_EQ(values.at("name").type, DWORD(REG_SZ));
  EXPECT_EQ(values.at("name").data, text("a \"quoted\" C:\\path"));
  EXPECT_EQ(values.at("").data, text("default"));
  EXPECT_EQ(values.at("bytes").type, DWORD(REG_BINARY));
  EXPECT_EQ(values.at("bytes").data, (std::vector<BYTE>{1, 2, 10, 255}));
  EXPECT_EQ(values.at("expand").type, 2u);
  EXPECT_EQ(values.at("expand").data, (std::vector<BYTE>{0x41, 0, 0, 0}));
}

TEST(Registry, AnswersQueriesAsWindowsDoes) {
  ConfigHome home;
  home.writeRegistryFile(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\n"
      "\"Width\"=dword:00000400\n\"Height\"=\"1024\"\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ardentix\\Velmora - practice", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = REG_NONE;
  int32_t value = 0;
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "width", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size), ERROR_SUCCESS);
  EXPECT_EQ(value, 1024);
  EXPECT_EQ(type, DWORD(REG_DWORD));
  EXPECT_EQ(size, 4u);

  // Four digits and their terminating zero do not fit in four bytes.
  value = 7;
  EXPECT_EQ(RegQueryValueExA(key, "Height", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_MORE_DATA);
  EXPECT_EQ(type, DWORD(REG_SZ));
  EXPECT_EQ(size, 5u);
  EXPECT_EQ(value, 7);
  char digits[5];
  EXPECT_EQ(RegQueryValueExA(key, "Height", nullptr, nullptr, reinterpret_cast<BYTE*>(digits), &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(digits, "1024");

  EXPECT_EQ(RegQueryValueExA(key, "Frequency", nullptr, &type, nullptr, &size), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ardent", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
}

const std::string kKey = "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\r\n";
const std::string kWidth = "\"Width\"=dword:00000400\r\n", kHeight = "\"Height\"=dword:00000300\r\n",
                  kBitsAndFrequency = "\"BitsPerPixel\"=dword:00000010\r\n\"Frequency\"=dword:0000004b\r\n";

TEST(DisplaySettings, EachValueThatCannotBeReadStartsTheCascade) {
  const struct {
    const char* what;
    std::string file;  // empty: there is none
    DisplaySettings expected;
  } cases[] = {
      {"no file", "", {800, 600, 32, 60}},
      {"all four", kKey + kWidth + kHeight + kBitsAndFrequency, {1024, 768, 16, 75}},
      {"only Width", kKey + kWidth, {1024, 600, 32, 60}},
      {"all but Height", kKey + kWidth + kBitsAndFrequency, {1024, 600, 32, 60}},
      // Four digits and their zero do not fit a DWORD: ERROR_MORE_DATA.
      {"Width as a string", kKey + "\"Width\"=\"1024\"\r\n" + kHeight, {800, 600, 32, 60}},
      {"BitsPerPixel as a string", kKey + kWidth + kHeight + "\"BitsPerPixel\"=\"1600\"\r\n", {1024, 768, 32, 60}},
      {"a damaged Height", kKey + kWidth + "\"Height\"=dword:0300\x01\xFF\r\n\"Bits", {1024, 600, 32, 60}},
      {"a damaged key", "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Vel" + std::string(100000, '\xFF'),
       {800, 600, 32, 60}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    ConfigHome home;
    if (!c.file.empty()) home.writeRegistryFile(c.file);
    g_display = {1, 2, 3, 4};
    readDisplaySettings();
    EXPECT_EQ(g_display.Width, c.expected.Width);
    EXPECT_EQ(g_display.Height, c.expected.Height);
    EXPECT_EQ(g_display.BitsPerPixel, c.expected.BitsPerPixel);
    EXPECT_EQ(g_display.Frequency, c.expected.Frequency);
  }
}

}  // namespace
