// Inside the stand-in: the message boxes that MessageBoxA records instead of
// showing them while the test seam captures them.
#pragma once

#include <string>
#include <vector>

#include "platform/user32.h"

namespace platform {

// A message box as the system asked for it.
struct MessageBoxRecord {
  HWND owner;
  std::string text;
  std::string caption;
  UINT type;
};

// While set, MessageBoxA records each box and answers IDOK at once instead of
// showing it, so that no test ever waits for a person.
extern bool capturingMessageBoxes;
std::vector<MessageBoxRecord>& messageBoxRecords();

}  // namespace platform
