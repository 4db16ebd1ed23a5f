// Inside the stand-in: names that Windows compares without regard to case
// (window classes, registry keys and values) are kept in lower case.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

namespace platform {

inline std::string lowerCase(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

}  // namespace platform
