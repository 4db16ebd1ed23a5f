#include "tests/support/config_home.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

ConfigHome::ConfigHome() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orbitrand-config-XXXXXX").string();
  EXPECT_NE(mkdtemp(pattern.data()), nullptr);
  folder_ = pattern;
  setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
  setenv("XDG_CONFIG_DIRS", (folder_ + "/none").c_str(), 1);
}

ConfigHome::~ConfigHome() {
  std::error_code ignored;
  std::filesystem::remove_all(folder_, ignored);
}

void ConfigHome::writeRegistryFile(std::string_view bytes) const {
  std::filesystem::create_directories(folder_ + "/orbitrand");
  std::ofstream(folder_ + "/orbitrand/registry.reg", std::ios::binary)
      .write(bytes.data(), std::streamsize(bytes.size()));
}
