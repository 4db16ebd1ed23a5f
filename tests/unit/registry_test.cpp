// The registry file's reader, its location, and the registry functions that
// answer from it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/registry_file.h"
#include "platform/win32.h"
#include "tests/support/config_home.h"

using platform::parseRegistryExport;
using platform::RegistryKeys;

namespace {

constexpr const char* kKey = "hkey_local_machine\\software\\ardentix\\velmora - practice";

std::vector<BYTE> dword(uint32_t value) {
  return {BYTE(value), BYTE(value >> 8), BYTE(value >> 16), BYTE(value >> 24)};
}

std::vector<BYTE> text(const std::string& value) {
  std::vector<BYTE> bytes(value.begin(), value.end());
  bytes.push_back(0);
  return bytes;
}

}  // namespace

TEST(RegistryExport, ReadsKeysAndEveryKindOfValueWithoutRegardToCase) {
  const RegistryKeys keys = parseRegistryExport(
      "REGEDIT4\r\n"
      "\r\n"
      "; the display mode\r\n"
      "[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\r\n"
      "\"Width\"=dword:00000400\r\n"
      "\"HEIGHT\" = dword:300\r\n"
      "\"Name\"=\"a \\\"quoted\\\" C:\\\\path\"\r\n"
      "@=\"default\"\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "  0a,FF\r\n"
      "\"Expand\"=hex(2):41,00,00,00\r\n");
  ASSERT_EQ(keys.count(kKey), 1u);
  const platform::RegistryKey& values = keys.at(kKey);
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

TEST(RegistryExport, ReadsRegeditsUtf16Version5Files) {
  const std::string utf8 =
      "Windows Registry Editor Version 5.00\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Ärger]\r\n"
      "\"Width\"=dword:00000320\r\n";
  std::string utf16 = "\xFF\xFE";
  for (unsigned char c : std::string("Windows Registry Editor Version 5.00\r\n\r\n"
                                     "[HKEY_LOCAL_MACHINE\\Software\\")) {
    utf16 += char(c);
    utf16 += '\0';
  }
  utf16 += "\xC4";  // Ä
  utf16 += '\0';
  for (unsigned char c : std::string("rger]\r\n\"Width\"=dword:00000320\r\n")) {
    utf16 += char(c);
    utf16 += '\0';
  }
  for (const RegistryKeys& keys : {parseRegistryExport(utf16), parseRegistryExport(utf8)}) {
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys.at("hkey_local_machine\\software\\Ärger").at("width").data, dword(800));
  }
}

TEST(RegistryExport, LaterLinesReplaceAndRemoveEarlierOnes) {
  const RegistryKeys keys = parseRegistryExport(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"Kept\"=dword:1\n\"Gone\"=dword:2\n\"Kept\"=dword:3\n"
      "\"Gone\"=-\n[HKEY_LOCAL_MACHINE\\B\\C]\n[HKEY_LOCAL_MACHINE\\B]\n[-HKEY_LOCAL_MACHINE\\B]\n");
  EXPECT_EQ(keys.at("hkey_local_machine\\a").at("kept").data, dword(3));
  EXPECT_EQ(keys.at("hkey_local_machine\\a").count("gone"), 0u);
  EXPECT_EQ(keys.count("hkey_local_machine\\b"), 0u);
  EXPECT_EQ(keys.count("hkey_local_machine\\b\\c"), 0u);
}

TEST(RegistryExport, DamageLosesOnlyWhatCannotBeRead) {
  const RegistryKeys keys = parseRegistryExport(
      "REGEDIT4\n"
      "[HKEY_LOCAL_MACHINE\\Good]\n"
      "\"BadNumber\"=dword:12345678\x31\n"
      "\"NotHex\"=dword:0000zz00\n"
      "\"Empty\"=dword:\n"
      "\"BadByte\"=hex:01,2g\n"
      "\"CutString\"=\"no end\n"
      "\"CutName=dword:1\n"
      "\"NoValue\"\n"
      "garbage \x01\x02\xFF line\n"
      "\"Good\"=dword:7\n"
      "[HKEY_LOCAL_MACHINE\\CutKey\n"
      "\"Lost\"=dword:1\n"
      "[HKEY_LOCAL_MACHINE\\Later]\n"
      "\"Bytes\"=hex:01,\\\n"
      "[HKEY_LOCAL_MACHINE\\After]\n"
      "\"Last\"=dword:0000");
  EXPECT_EQ(keys.at("hkey_local_machine\\good").size(), 1u);
  EXPECT_EQ(keys.at("hkey_local_machine\\good").at("good").data, dword(7));
  EXPECT_EQ(keys.count("hkey_local_machine\\cutkey"), 0u);
  EXPECT_TRUE(keys.at("hkey_local_machine\\later").empty());
  EXPECT_EQ(keys.at("hkey_local_machine\\after").at("last").data, dword(0));
}

TEST(RegistryExport, ATextWithoutTheHeaderOrWithEnormousLinesIsHandled) {
  EXPECT_TRUE(parseRegistryExport("[HKEY_LOCAL_MACHINE\\A]\n\"W\"=dword:1\n").empty());
  EXPECT_TRUE(parseRegistryExport("").empty());
  EXPECT_TRUE(parseRegistryExport(std::string(1000, '\0')).empty());

  std::string huge = "REGEDIT4\n[HKEY_LOCAL_MACHINE\\A]\n\"Long\"=hex:00";
  for (int i = 0; i < 200000; ++i) huge += ",\\\n  ff";
  huge += "\n\"" + std::string(1 << 20, 'n') + "\"=dword:1\n\"After\"=dword:2\n";
  const RegistryKeys keys = parseRegistryExport(huge);
  EXPECT_EQ(keys.at("hkey_local_machine\\a").at("long").data.size(), 200001u);
  EXPECT_EQ(keys.at("hkey_local_machine\\a").at(std::string(1 << 20, 'n')).data, dword(1));
  EXPECT_EQ(keys.at("hkey_local_machine\\a").at("after").data, dword(2));
}

TEST(RegistryFile, LivesInTheXdgConfigurationFolders) {
  ConfigHome home;
  EXPECT_EQ(platform::registryFilePath(), "");
  const std::string system = home.folder() + "/system";
  std::filesystem::create_directories(system + "/orbitrand");
  std::ofstream(system + "/orbitrand/registry.reg") << "REGEDIT4\n";
  setenv("XDG_CONFIG_DIRS", ("relative:" + home.folder() + "/none:" + system).c_str(), 1);
  EXPECT_EQ(platform::registryFilePath(), system + "/orbitrand/registry.reg");
  home.writeRegistryFile("REGEDIT4\n");
  EXPECT_EQ(platform::registryFilePath(), home.folder() + "/orbitrand/registry.reg");

  unsetenv("XDG_CONFIG_HOME");
  setenv("HOME", home.folder().c_str(), 1);
  std::filesystem::create_directories(home.folder() + "/.config/orbitrand");
  std::ofstream(home.folder() + "/.config/orbitrand/registry.reg") << "REGEDIT4\n";
  EXPECT_EQ(platform::registryFilePath(), home.folder() + "/.config/orbitrand/registry.reg");
}

TEST(Registry, AnswersQueriesAsWindowsDoes) {
  ConfigHome home;
  home.writeRegistryFile(
      "REGEDIT4\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\n"
      "\"Width\"=dword:00000400\n\"Height\"=\"1024\"\n");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\ardentix\\Velmora - practice", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = REG_NONE;
  int32_t value = 0;
  DWORD size = sizeof value;
  EXPECT_EQ(RegQueryValueExA(key, "width", nullptr, &type, reinterpret_cast<BYTE*>(&value), &size),
            ERROR_SUCCESS);
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
  EXPECT_EQ(RegQueryValueExA(key, "Height", nullptr, nullptr, reinterpret_cast<BYTE*>(digits),
                             &size),
            ERROR_SUCCESS);
  EXPECT_STREQ(digits, "1024");

  EXPECT_EQ(RegQueryValueExA(key, "Frequency", nullptr, &type, nullptr, &size),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_INVALID_HANDLE);
  EXPECT_EQ(RegQueryValueExA(key, "Width", nullptr, nullptr, nullptr, &size),
            ERROR_INVALID_HANDLE);

  // Parents of a key exist; other keys do not.
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ardentix", 0, KEY_READ, &key),
            ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
  EXPECT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Ardent", 0, KEY_READ, &key),
            ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(key, nullptr);
}
