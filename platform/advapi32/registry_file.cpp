// The registry file: its location by the XDG base directories and its reader
// for regedit's export format (registry_file.h describes both). The reader
// runs in time linear in the text and never reads outside it; a damaged file
// loses the lines that cannot be read, and nothing else.
#include "platform/advapi32/registry_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <optional>

#include "platform/advapi32/lower_case.h"
#include "platform/kernel32/utf16.h"

namespace platform {
namespace {

constexpr size_t kMaxFileBytes = size_t(4) << 20;

std::string_view trim(std::string_view text) {
  const auto isSpace = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && isSpace(text.front())) text.remove_prefix(1);
  while (!text.empty() && isSpace(text.back())) text.remove_suffix(1);
  return text;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && lowerCase(text.substr(0, prefix.size())) == prefix;
}

// UTF-16LE to UTF-8, as RegQueryValueExA hands text out: a lone surrogate
// becomes '?'; an odd last byte is dropped.
std::string fromUtf16(std::string_view bytes) {
  std::u16string units(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < units.size(); ++i) {
    units[i] = char16_t(uint8_t(bytes[2 * i]) | uint8_t(bytes[2 * i + 1]) << 8);
  }
  return utf8FromUtf16(units, U'?');
}

// The lines of a text, ended by CR, LF or CR LF, taken one at a time.
class Lines {
 public:
  explicit Lines(std::string_view text) : rest_(text) {}
  bool done() const { return rest_.empty(); }
  std::string_view peek() const { return rest_.substr(0, rest_.find_first_of("\r\n")); }
  std::string_view next() {
    const std::string_view line = peek();
    rest_.remove_prefix(line.size());
    if (rest_.substr(0, 2) == "\r\n") {
      rest_.remove_prefix(2);
    } else if (!rest_.empty()) {
      rest_.remove_prefix(1);
    }
    return line;
  }

 private:
  std::string_view rest_;
};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to maxDigits hexadecimal digits and nothing else.
std::optional<uint32_t> readHexNumber(std::string_view text, size_t maxDigits) {
  if (text.empty() || text.size() > maxDigits) return std::nullopt;
  uint32_t value = 0;
  for (char c : text) {
    const int digit = hexDigit(c);
    if (digit < 0) return std::nullopt;
    value = value << 4 | uint32_t(digit);
  }
  return value;
}

struct Quoted {
  std::string text;
  size_t end;  // just past the closing quote
};

// A quoted text starting at text[start] == '"', with \\ and \" escaped.
std::optional<Quoted> readQuoted(std::string_view text, size_t start) {
  Quoted quoted;
  for (size_t i = start + 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      quoted.end = i + 1;
      return quoted;
    }
    if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '\\' || text[i + 1] == '"')) {
      ++i;
    }
    quoted.text += text[i];
  }
  return std::nullopt;  // cut off
}

// Comma-separated bytes of one or two hexadecimal digits.
std::optional<std::vector<BYTE>> readHexBytes(std::string_view text) {
  std::vector<BYTE> bytes;
  text = trim(text);
  while (!text.empty()) {
    const size_t comma = text.find(',');
    const auto byte = readHexNumber(trim(text.substr(0, comma)), 2);
    if (!byte) return std::nullopt;
    bytes.push_back(BYTE(*byte));
    if (comma == std::string_view::npos) break;
    text = trim(text.substr(comma + 1));
  }
  return bytes;
}

std::optional<RegistryValue> readData(std::string_view data) {
  RegistryValue value;
  if (!data.empty() && data.front() == '"') {
    const auto quoted = readQuoted(data, 0);
    if (!quoted || !trim(data.substr(quoted->end)).empty()) return std::nullopt;
    value.type = REG_SZ;
    value.data.assign(quoted->text.begin(), quoted->text.end());
    value.data.push_back(0);
    return value;
  }
  if (startsWithNoCase(data, "dword:")) {
    const auto number = readHexNumber(trim(data.substr(6)), 8);
    if (!number) return std::nullopt;
    value.type = REG_DWORD;
    for (int shift = 0; shift < 32; shift += 8) value.data.push_back(BYTE(*number >> shift));
    return value;
  }
  std::string_view bytes;
  if (startsWithNoCase(data, "hex:")) {
    value.type = REG_BINARY;
    bytes = data.substr(4);
  } else if (startsWithNoCase(data, "hex(")) {
    const size_t close = data.find("):");
    if (close == std::string_view::npos) return std::nullopt;
    const auto type = readHexNumber(data.substr(4, close - 4), 8);
    if (!type) return std::nullopt;
    value.type = *type;
    bytes = data.substr(close + 2);
  } else {
    return std::nullopt;
  }
  auto parsed = readHexBytes(bytes);
  if (!parsed) return std::nullopt;
  value.data = std::move(*parsed);
  return value;
}

// "[path]" opens (and creates) a key, "[-path]" removes a key with its
// subkeys; a line cut off before its ']' opens nothing, so the values up to
// the next key are lost.
RegistryKey* openSection(RegistryKeys& keys, std::string_view line) {
  if (line.size() < 2 || line.back() != ']') return nullptr;
  std::string_view path = line.substr(1, line.size() - 2);
  const bool remove = !path.empty() && path.front() == '-';
  if (remove) path.remove_prefix(1);
  const std::string key = normalizedKeyPath(path);
  if (key.empty()) return nullptr;
  if (!remove) return &keys[key];
  const std::string below = key + '\\';
  keys.erase(key);
  for (auto it = keys.lower_bound(below); it != keys.end() && it->first.rfind(below, 0) == 0;) {
    it = keys.erase(it);
  }
  return nullptr;
}

struct Assignment {
  std::string name;
  std::string_view data;
};

// "name"=data or @=data.
std::optional<Assignment> readAssignment(std::string_view line) {
  Assignment assignment;
  size_t at = 1;
  if (line.front() == '"') {
    auto name = readQuoted(line, 0);
    if (!name) return std::nullopt;
    assignment.name = std::move(name->text);
    at = name->end;
  }
  const std::string_view rest = trim(line.substr(at));
  if (rest.empty() || rest.front() != '=') return std::nullopt;
  assignment.data = trim(rest.substr(1));
  return assignment;
}

}  // namespace

std::string normalizedKeyPath(std::string_view path) {
  path = trim(path);
  while (!path.empty() && (path.back() == '\\' || path.back() == ' ' || path.back() == '\t')) {
    path.remove_suffix(1);
  }
  return lowerCase(path);
}

RegistryKeys parseRegistryExport(std::string_view text) {
  std::string decoded;
  if (text.substr(0, 2) == "\xFF\xFE") {
    decoded = fromUtf16(text.substr(2));
    text = decoded;
  } else if (text.substr(0, 3) == "\xEF\xBB\xBF") {
    text.remove_prefix(3);
  }
  Lines lines(text);
  RegistryKeys keys;
  std::string_view header;
  while (!lines.done() && header.empty()) header = trim(lines.next());
  if (header != "REGEDIT4" && header != "Windows Registry Editor Version 5.00") return keys;

  RegistryKey* key = nullptr;
  while (!lines.done()) {
    const std::string_view line = trim(lines.next());
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      key = openSection(keys, line);
      continue;
    }
    if (line.front() != '"' && line.front() != '@') continue;
    const auto assignment = readAssignment(line);
    if (!assignment) continue;
    // Binary data runs on over lines that end in a backslash.
    std::string data(assignment->data);
    if (startsWithNoCase(data, "hex")) {
      while (!data.empty() && data.back() == '\\' && !lines.done()) {
        const std::string_view continued = trim(lines.peek());
        if (continued.empty() || hexDigit(continued.front()) < 0) break;
        data.pop_back();
        data += continued;
        lines.next();
      }
    }
    if (!key) continue;
    const std::string name = lowerCase(assignment->name);
    if (data == "-") {
      key->erase(name);
    } else if (auto value = readData(data)) {
      (*key)[name] = std::move(*value);
    }
  }
  return keys;
}

std::string registryFilePath() {
  const auto fileIn = [](const std::string& folder) { return folder + "/orbitrand/registry.reg"; };
  const auto exists = [](const std::string& path) { return std::ifstream(path).good(); };
  // Relative folders in these variables are invalid by the XDG rules.
  const auto absolute = [](const char* folder) { return folder && folder[0] == '/'; };

  const char* configHome = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  std::string userFolder;
  if (absolute(configHome)) {
    userFolder = configHome;
  } else if (absolute(home)) {
    userFolder = std::string(home) + "/.config";
  }
  if (!userFolder.empty() && exists(fileIn(userFolder))) return fileIn(userFolder);

  const char* configDirs = std::getenv("XDG_CONFIG_DIRS");
  std::string_view folders = configDirs && *configDirs ? configDirs : "/etc/xdg";
  while (!folders.empty()) {
    const size_t colon = folders.find(':');
    const std::string folder(folders.substr(0, colon));
    if (absolute(folder.c_str()) && exists(fileIn(folder))) return fileIn(folder);
    if (colon == std::string_view::npos) break;
    folders.remove_prefix(colon + 1);
  }
  return {};
}

RegistryKeys readRegistryFile() {
  const std::string path = registryFilePath();
  if (path.empty()) return {};
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  const std::streamoff size = file.tellg();
  if (!file || size < 0) return {};
  std::string text(std::min(size_t(size), kMaxFileBytes + 1), '\0');
  file.seekg(0);
  file.read(text.data(), std::streamsize(text.size()));
  text.resize(size_t(file.gcount()));
  if (text.size() > kMaxFileBytes) {
    // What lies beyond the limit, and the line that the limit cuts, is absent.
    const size_t lastBreak = text.find_last_of("\r\n", kMaxFileBytes - 1);
    text.resize(lastBreak == std::string::npos ? 0 : lastBreak);
  }
  return parseRegistryExport(text);
}

}  // namespace platform
