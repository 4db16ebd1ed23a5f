// Inside the stand-in: Windows' UTF-16 strings turned into the UTF-8 that
// Linux file names and SDL expect.
#pragma once

#include <string>

namespace platform {

// A zero-terminated UTF-16 string as UTF-8; an unpaired surrogate becomes U+FFFD.
std::string utf8FromUtf16(const char16_t* text);

}  // namespace platform
