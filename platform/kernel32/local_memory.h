// Inside the stand-in: the local memory blocks, which the test seam counts,
// and the allocation that it makes fail.
#pragma once

#include <cstddef>

namespace platform {

// The blocks that LocalAlloc handed out and LocalFree has not freed.
size_t& liveLocalBlocks();
// Counts down at each LocalAlloc; the one that brings it to 0 fails. 0 from
// the start: none fails.
extern int localAllocsUntilFailure;

}  // namespace platform
