// A configuration folder of the test's own: XDG_CONFIG_HOME points at a fresh
// temporary folder while the object lives, and XDG_CONFIG_DIRS at none, so
// that only the registry file that the test writes is found.
#pragma once

#include <string>
#include <string_view>

class ConfigHome {
 public:
  ConfigHome();
  ~ConfigHome();
  ConfigHome(const ConfigHome&) = delete;
  ConfigHome& operator=(const ConfigHome&) = delete;

  // Writes orbitrand/registry.reg with exactly these bytes.
  void writeRegistryFile(std::string_view bytes) const;
  const std::string& folder() const { return folder_; }

 private:
  std::string folder_;
};
