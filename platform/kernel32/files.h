// Inside the stand-in: the open files, mappings and views, which the test seam
// counts.
#pragma once

#include <cstddef>
#include <map>
#include <set>

namespace platform {

// A kernel object behind a HANDLE: an open file, or a mapping of one.
struct KernelObject;

// Every live handle and view, so that a stale or foreign one is refused
// instead of being dereferenced.
std::set<KernelObject*>& liveHandles();
std::map<const void*, size_t>& liveViews();

}  // namespace platform
