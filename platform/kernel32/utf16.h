// Inside the stand-in: Windows' UTF-16 strings turned into the UTF-8 that
// Linux file names, SDL and the registry file's reader expect.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 text as UTF-8, an unpaired surrogate becoming the replacement: U+FFFD
// for what goes to Linux and SDL, '?' where Windows would convert to an 8-bit
// code page.
std::string utf8FromUtf16(std::u16string_view text, char32_t replacement = 0xFFFD);

}  // namespace platform
