// loadBmpImage on arbitrary bytes. Besides the sanitizers' checks, every call
// must end in exactly one of two ways, a picture and no message or no picture
// and one message, with nothing of the platform's left held.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/bmp_loader.h"
#include "platform/testing.h"

namespace {

int memoryFile = -1;
std::string memoryFilePath;

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  platform::testing::captureMessageBoxes(true);
  memoryFile = memfd_create("bmp", MFD_CLOEXEC);
  check(memoryFile >= 0, "memfd_create");
  memoryFilePath = "/proc/self/fd/" + std::to_string(memoryFile);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  check(ftruncate(memoryFile, 0) == 0, "ftruncate");
  check(pwrite(memoryFile, data, size, 0) == ssize_t(size), "pwrite");
  platform::testing::clearCapturedMessageBoxes();

  RgbImage* image = loadBmpImage(memoryFilePath.c_str());
  const size_t messages = platform::testing::capturedMessageBoxes().size();
  check(image ? messages == 0 : messages == 1, "one message exactly when there is no picture");
  if (image) {
    check(image->width > 0 && image->height > 0, "a picture has pixels");
    std::free(image->data);
    std::free(image);
  }
  check(platform::testing::openKernelHandles() == 0, "files, mappings and views released");
  check(platform::testing::liveLocalAllocations() == 0, "local memory released");
  check(platform::testing::liveGdiObjects() == 0, "DIB sections released");
  check(platform::testing::liveMemoryDeviceContexts() == 0, "device contexts released");
  return 0;
}
