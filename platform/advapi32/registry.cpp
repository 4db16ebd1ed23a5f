// The registry: RegOpenKeyExA, RegQueryValueExA, RegCloseKey, for
// HKEY_LOCAL_MACHINE, answered from the registry file (registry_file.h says
// where it lives and what it may hold), read when a key is opened. No file
// means no key. Values come back as on Windows: a dword value is 4 bytes of
// REG_DWORD, a string value its text with the terminating zero (REG_SZ), and
// a buffer too small for the data gets ERROR_MORE_DATA with the size needed.
//
// Not provided: writing, enumerating, other roots, opening a subkey of an
// open key; access rights are not checked (reading is all there is).
#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "platform/advapi32/lower_case.h"
#include "platform/advapi32/registry_file.h"

namespace platform {
namespace {

struct OpenKey {
  RegistryKey values;
};
std::vector<std::unique_ptr<OpenKey>> openKeys;

OpenKey* openKeyFrom(HKEY handle) {
  for (const auto& key : openKeys) {
    if (reinterpret_cast<HKEY>(key.get()) == handle) return key.get();
  }
  return nullptr;
}

}  // namespace
}  // namespace platform

LSTATUS WINAPI RegOpenKeyExA(HKEY root, LPCSTR subKey, DWORD, DWORD, HKEY* result) {
  if (!result) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  if (root != HKEY_LOCAL_MACHINE) return ERROR_INVALID_HANDLE;
  std::string path = "hkey_local_machine";
  if (subKey && *subKey) path += '\\' + platform::normalizedKeyPath(subKey);

  const platform::RegistryKeys keys = platform::readRegistryFile();
  const auto found = keys.find(path);
  // A key exists also when only its subkeys are named.
  const std::string below = path + '\\';
  const auto firstBelow = keys.lower_bound(below);
  const bool hasSubkeys = firstBelow != keys.end() && firstBelow->first.rfind(below, 0) == 0;
  if (found == keys.end() && !hasSubkeys) return ERROR_FILE_NOT_FOUND;

  auto key = std::make_unique<platform::OpenKey>();
  if (found != keys.end()) key->values = found->second;
  *result = reinterpret_cast<HKEY>(key.get());
  platform::openKeys.push_back(std::move(key));
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExA(HKEY handle, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                LPBYTE data, LPDWORD dataSize) {
  const platform::OpenKey* key = platform::openKeyFrom(handle);
  if (!key) return ERROR_INVALID_HANDLE;
  if (reserved || (data && !dataSize)) return ERROR_INVALID_PARAMETER;
  const auto found = key->values.find(platform::lowerCase(valueName ? valueName : ""));
  if (found == key->values.end()) return ERROR_FILE_NOT_FOUND;

  const platform::RegistryValue& value = found->second;
  const auto needed = static_cast<DWORD>(value.data.size());
  if (type) *type = value.type;
  if (!dataSize) return ERROR_SUCCESS;
  if (data && *dataSize < needed) {
    *dataSize = needed;
    return ERROR_MORE_DATA;
  }
  if (data && needed) std::memcpy(data, value.data.data(), needed);
  *dataSize = needed;
  return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCloseKey(HKEY handle) {
  auto& keys = platform::openKeys;
  const auto found = std::find_if(keys.begin(), keys.end(), [&](const auto& key) {
    return reinterpret_cast<HKEY>(key.get()) == handle;
  });
  if (found == keys.end()) return ERROR_INVALID_HANDLE;
  keys.erase(found);
  return ERROR_SUCCESS;
}
