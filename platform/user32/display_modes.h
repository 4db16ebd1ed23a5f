// Inside the stand-in: what ChangeDisplaySettingsA records of its calls, for
// the test seam.
#pragma once

#include "platform/user32.h"

namespace platform {

struct DisplayModeRequest {
  int count = 0;         // ChangeDisplaySettingsA calls so far
  bool desktop = false;  // the last call asked for the desktop mode (NULL)
  DEVMODEA mode{};       // otherwise, the mode it asked for
  DWORD flags = 0;
  bool contextCurrent = false;  // an OpenGL context was current at the call
};
extern DisplayModeRequest lastModeRequest;

}  // namespace platform
