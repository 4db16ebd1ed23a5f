// Inside the stand-in: the registry file that answers for HKEY_LOCAL_MACHINE,
// where it lives and how it is read.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "platform/advapi32.h"

namespace platform {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};
// A key's values by lower-case name; "" is the key's default value (@).
using RegistryKey = std::map<std::string, RegistryValue>;
// Keys by lower-case full path, such as "hkey_local_machine\software\ardentix".
using RegistryKeys = std::map<std::string, RegistryKey>;

// A key path as the maps hold it: lower case, without trailing backslashes
// or blanks.
std::string normalizedKeyPath(std::string_view path);

// Reads a registry export in the REGEDIT4 or "Windows Registry Editor Version
// 5.00" format, 8-bit, UTF-8 or UTF-16LE (with its byte-order mark, as regedit
// writes it). Keys in brackets ("[-key]" removes one), values named in quotes
// or @ for the default value: "text" (REG_SZ), dword:hhhhhhhh (REG_DWORD),
// hex:bb,bb,... (REG_BINARY) or hex(t):... (type t), continued over lines
// ending in a backslash; "name"=- removes a value. Comments start with ';'.
// Whatever cannot be read (a line cut off, a bad number, an unknown form)
// counts as absent; the rest is read. A text without the header line is not
// an export and holds nothing.
RegistryKeys parseRegistryExport(std::string_view text);

// $XDG_CONFIG_HOME/orbitrand/registry.reg ($XDG_CONFIG_HOME defaults to
// ~/.config) when it exists, else the first orbitrand/registry.reg under the
// folders of $XDG_CONFIG_DIRS (default /etc/xdg); empty when there is none.
std::string registryFilePath();

// The keys of the registry file (of its first 4 MiB); none without a file.
RegistryKeys readRegistryFile();

}  // namespace platform
