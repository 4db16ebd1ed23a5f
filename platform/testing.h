// The stand-in's test seam: forced failures, injected input, recorded
// requests. Tests only; the system's code never includes it.
#pragma once

#include <string>

#include "platform/win32.h"

namespace platform::testing {

// Fonts: the height and face name of the last font that CreateFontA made.
struct FontRequest {
  int height = 0;
  std::string faceName;
};
const FontRequest& lastFontRequest();

}  // namespace platform::testing
