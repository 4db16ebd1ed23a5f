#include "app/display_settings.h"

#include "platform/win32.h"

DisplaySettings g_display;

namespace {

constexpr const char* kSettingsKey = "Software\\Ardentix\\Velmora - practice";
constexpr int kValueCount = 4;
constexpr const char* kValueNames[kValueCount] = {"Width", "Height", "BitsPerPixel", "Frequency"};
constexpr int32_t kDefaults[kValueCount] = {800, 600, 32, 60};

int32_t* settingAt(int index) {
  int32_t* const fields[kValueCount] = {&g_display.Width, &g_display.Height,
                                        &g_display.BitsPerPixel, &g_display.Frequency};
  return fields[index];
}

// The value at first and every one after it take their defaults.
void useDefaultsFrom(int first) {
  for (int i = first; i < kValueCount; ++i) *settingAt(i) = kDefaults[i];
}

}  // namespace

void readDisplaySettings() {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSettingsKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    useDefaultsFrom(0);
    return;
  }
  // One type word and one size word serve all four queries, so each query
  // starts from the size that the one before it reported. The type is not
  // checked: a value whose data does not fit in 4 bytes fails, and with it
  // every value after it.
  DWORD type = REG_DWORD;
  DWORD size = sizeof(int32_t);
  for (int i = 0; i < kValueCount; ++i) {
    if (RegQueryValueExA(key, kValueNames[i], nullptr, &type, reinterpret_cast<BYTE*>(settingAt(i)),
                         &size) != ERROR_SUCCESS) {
      RegCloseKey(key);
      useDefaultsFrom(i);
      return;
    }
  }
  RegCloseKey(key);
}
