// loadBmpImage on arbitrary bytes. Besides the sanitizers' checks, every call
// must end in exactly one of two ways, a picture and no message or no picture
// and one message, with nothing of the platform's left held.
//
// A few bytes of run-length data can declare a picture of hundreds of
// megabytes, which the loader decodes soundly but slowly. Every header,
// table and conversion path is reached as well with a picture of at most
// 256 x 256 pixels, so inputs declaring a larger one are skipped and the
// run's time goes to parsing.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "image/bmp_loader.h"
#include "platform/testing/testing.h"

namespace {

constexpr uint64_t kMaxPixels = 256 * 256;

int memoryFile = -1;
std::string memoryFilePath;

void check(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "broken: %s\n", what);
    std::abort();
  }
}

uint32_t littleEndian(const uint8_t* bytes, int count) {
  uint32_t value = 0;
  for (int k = count - 1; k >= 0; --k) value = value << 8 | bytes[k];
  return value;
}

uint64_t magnitude(uint32_t value) { return value & 0x80000000u ? 0x100000000u - value : value; }

// Width times height as the core or info header declares them; 0 for neither.
uint64_t declaredPixels(const uint8_t* data, size_t size) {
  const size_t header = size >= 2 && data[0] == 'B' && data[1] == 'M' ? 14 : 0;
  if (size < header + 12) return 0;
  switch (littleEndian(data + header, 4)) {
    case 12:
      return uint64_t{littleEndian(data + header + 4, 2)} * littleEndian(data + header + 6, 2);
    case 40:
      return magnitude(littleEndian(data + header + 4, 4)) *
             magnitude(littleEndian(data + header + 8, 4));
    default: return 0;
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
  if (declaredPixels(data, size) > kMaxPixels) return -1;  // not added to the corpus
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
