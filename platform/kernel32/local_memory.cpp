// kernel32 local memory: LocalAlloc and LocalFree (LMEM_FIXED, with or
// without LMEM_ZEROINIT), on malloc and calloc.
//
// Not provided: movable blocks (LMEM_MOVEABLE, LocalLock), LocalReAlloc,
// LocalSize.
#include "platform/kernel32/local_memory.h"

#include <cstdlib>

#include "platform/kernel32.h"

namespace platform {

size_t& liveLocalBlocks() {
  static size_t count = 0;
  return count;
}

int localAllocsUntilFailure = 0;

}  // namespace platform

using platform::liveLocalBlocks;
using platform::localAllocsUntilFailure;

HLOCAL WINAPI LocalAlloc(UINT flags, SIZE_T bytes) {
  if (localAllocsUntilFailure > 0 && --localAllocsUntilFailure == 0) return nullptr;
  // Windows hands out a distinct block even for 0 bytes.
  void* memory =
      (flags & LMEM_ZEROINIT) ? std::calloc(bytes ? bytes : 1, 1) : std::malloc(bytes ? bytes : 1);
  if (memory) ++liveLocalBlocks();
  return memory;
}

HLOCAL WINAPI LocalFree(HLOCAL memory) {
  if (memory) {
    std::free(memory);
    --liveLocalBlocks();
  }
  return nullptr;
}
