// user32's wsprintfA: %s, %ws / %S (UTF-16, written as UTF-8), %hs, %c, %d,
// %i, %u, %x, %X and %%, with the flags, width and precision of printf, at
// most 1024 characters as on Windows.
// Not provided: wvsprintfA, the wide-character wsprintfW.
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/kernel32/utf16.h"
#include "platform/user32.h"

namespace {

constexpr size_t kFormatLimit = 1024;  // wsprintfA's limit, terminating zero not counted

}  // namespace

int wsprintfA(LPSTR buffer, LPCSTR format, ...) {
  std::string out;
  va_list arguments;
  va_start(arguments, format);
  for (const char* p = format; *p && out.size() < kFormatLimit; ++p) {
    if (*p != '%') {
      out += *p;
      continue;
    }
    // One conversion: flags, width and precision go to snprintf as they are.
    std::string conversion = "%";
    ++p;
    while (*p && std::strchr("-+ #0", *p)) conversion += *p++;
    while (*p >= '0' && *p <= '9') conversion += *p++;
    if (*p == '.') {
      conversion += *p++;
      while (*p >= '0' && *p <= '9') conversion += *p++;
    }
    bool wide = false;
    bool narrow = false;
    if (*p == 'w' || *p == 'l') {
      wide = true;
      ++p;
    } else if (*p == 'h') {
      narrow = true;
      ++p;
    }
    if (!*p) break;
    char piece[kFormatLimit + 1];
    piece[0] = '\0';
    switch (*p) {
      case 's':
      case 'S': {
        const bool utf16 = (*p == 'S') ? !narrow : wide;
        std::string text;
        if (utf16) {
          const auto* value = va_arg(arguments, const char16_t*);
          text = value ? platform::utf8FromUtf16(value) : "(null)";
        } else {
          const char* value = va_arg(arguments, const char*);
          text = value ? value : "(null)";
        }
        std::snprintf(piece, sizeof piece, (conversion + 's').c_str(), text.c_str());
        break;
      }
      case 'c':
        std::snprintf(piece, sizeof piece, (conversion + 'c').c_str(), va_arg(arguments, int));
        break;
      case 'd':
      case 'i':
        std::snprintf(piece, sizeof piece, (conversion + 'd').c_str(), va_arg(arguments, int));
        break;
      case 'u':
      case 'x':
      case 'X':
        std::snprintf(piece, sizeof piece, (conversion + *p).c_str(), va_arg(arguments, unsigned));
        break;
      case '%': std::snprintf(piece, sizeof piece, "%%"); break;
      default:  // an unknown conversion is written as it stands, as Windows does
        std::snprintf(piece, sizeof piece, "%s", (conversion + *p).c_str());
        break;
    }
    out += piece;
  }
  va_end(arguments);
  if (out.size() > kFormatLimit) out.resize(kFormatLimit);
  std::memcpy(buffer, out.c_str(), out.size() + 1);
  return static_cast<int>(out.size());
}
