// The registry file's reader on arbitrary bytes: whatever a registry file
// holds, reading it must not crash, read outside the text or hang, and what
// it yields can be looked up.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/advapi32/registry_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const platform::RegistryKeys keys =
      platform::parseRegistryExport(std::string_view(reinterpret_cast<const char*>(data), size));
  // Every key is found again under its own path.
  for (const auto& entry : keys) {
    if (entry.first.empty() || platform::normalizedKeyPath(entry.first) != entry.first) {
      __builtin_trap();
    }
  }
  return 0;
}
