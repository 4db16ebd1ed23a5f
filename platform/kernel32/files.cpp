// kernel32 files and read-only mappings, on POSIX files and mmap.
//
// Provided: CreateFileA / CreateFileW (GENERIC_READ, OPEN_EXISTING), GetFileSize,
// CreateFileMappingA (PAGE_READONLY, the whole file), MapViewOfFile
// (FILE_MAP_READ), UnmapViewOfFile, CloseHandle for files and mappings.
// Not provided: writing, creating or truncating files; named or pagefile-backed
// mappings; views of part of a file; asynchronous I/O; GetLastError codes.
#include "platform/kernel32/files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/kernel32.h"
#include "platform/kernel32/utf16.h"

namespace platform {

struct KernelObject {
  enum class Kind { File, Mapping };
  KernelObject(Kind kind, int descriptor, uint64_t size = 0)
      : kind(kind), descriptor(descriptor), size(size) {}
  ~KernelObject() { close(descriptor); }
  KernelObject(const KernelObject&) = delete;
  KernelObject& operator=(const KernelObject&) = delete;
  const Kind kind;
  const int descriptor;  // a mapping keeps its own descriptor, as it outlives the file's handle
  const uint64_t size;   // a mapping's size, fixed when it is created
};

std::set<KernelObject*>& liveHandles() {
  static std::set<KernelObject*> handles;
  return handles;
}

std::map<const void*, size_t>& liveViews() {
  static std::map<const void*, size_t> views;
  return views;
}

}  // namespace platform

using platform::KernelObject;
using platform::liveHandles;
using platform::liveViews;

namespace {

KernelObject* objectFrom(HANDLE handle, KernelObject::Kind kind) {
  auto* object = static_cast<KernelObject*>(handle);
  if (!liveHandles().count(object) || object->kind != kind) return nullptr;
  return object;
}

HANDLE handleOf(KernelObject* object) {
  liveHandles().insert(object);
  return object;
}

HANDLE openForReading(const char* path, DWORD access, DWORD creation) {
  if (!path || access != GENERIC_READ || creation != OPEN_EXISTING) return INVALID_HANDLE_VALUE;
  const int descriptor = open(path, O_RDONLY | O_CLOEXEC);
  if (descriptor < 0) return INVALID_HANDLE_VALUE;
  struct stat status;
  if (fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode)) {  // folders are not files
    close(descriptor);
    return INVALID_HANDLE_VALUE;
  }
  return handleOf(new KernelObject(KernelObject::Kind::File, descriptor));
}

bool fileSize(int descriptor, uint64_t& size) {
  struct stat status;
  if (fstat(descriptor, &status) != 0) return false;
  size = static_cast<uint64_t>(status.st_size);
  return true;
}

}  // namespace

HANDLE WINAPI CreateFileA(LPCSTR fileName, DWORD access, DWORD, SECURITY_ATTRIBUTES*,
                          DWORD creation, DWORD, HANDLE) {
  return openForReading(fileName, access, creation);
}

HANDLE WINAPI CreateFileW(LPCWSTR fileName, DWORD access, DWORD, SECURITY_ATTRIBUTES*,
                          DWORD creation, DWORD, HANDLE) {
  if (!fileName) return INVALID_HANDLE_VALUE;
  // File names on Linux are bytes; UTF-8 is how they carry Unicode.
  return openForReading(platform::utf8FromUtf16(fileName).c_str(), access, creation);
}

DWORD WINAPI GetFileSize(HANDLE file, LPDWORD sizeHigh) {
  const KernelObject* object = objectFrom(file, KernelObject::Kind::File);
  uint64_t size = 0;
  if (!object || !fileSize(object->descriptor, size)) return INVALID_FILE_SIZE;
  if (sizeHigh) *sizeHigh = static_cast<DWORD>(size >> 32);
  return static_cast<DWORD>(size);
}

HANDLE WINAPI CreateFileMappingA(HANDLE file, SECURITY_ATTRIBUTES*, DWORD protect,
                                 DWORD maximumSizeHigh, DWORD maximumSizeLow, LPCSTR name) {
  const KernelObject* object = objectFrom(file, KernelObject::Kind::File);
  if (!object || protect != PAGE_READONLY || maximumSizeHigh || maximumSizeLow || name) {
    return nullptr;
  }
  // As on Windows, an empty file cannot be mapped with the file's own size.
  uint64_t size = 0;
  if (!fileSize(object->descriptor, size) || size == 0) return nullptr;
  const int descriptor = fcntl(object->descriptor, F_DUPFD_CLOEXEC, 0);
  if (descriptor < 0) return nullptr;
  return handleOf(new KernelObject(KernelObject::Kind::Mapping, descriptor, size));
}

LPVOID WINAPI MapViewOfFile(HANDLE mapping, DWORD access, DWORD offsetHigh, DWORD offsetLow,
                            SIZE_T bytes) {
  const KernelObject* object = objectFrom(mapping, KernelObject::Kind::Mapping);
  if (!object || access != FILE_MAP_READ || offsetHigh || offsetLow || bytes) return nullptr;
  void* view = mmap(nullptr, object->size, PROT_READ, MAP_PRIVATE, object->descriptor, 0);
  if (view == MAP_FAILED) return nullptr;
  liveViews()[view] = object->size;
  return view;
}

BOOL WINAPI UnmapViewOfFile(LPCVOID view) {
  const auto found = liveViews().find(view);
  if (found == liveViews().end()) return FALSE;
  munmap(const_cast<void*>(view), found->second);
  liveViews().erase(found);
  return TRUE;
}

BOOL WINAPI CloseHandle(HANDLE handle) {
  auto* object = static_cast<KernelObject*>(handle);
  if (!liveHandles().erase(object)) return FALSE;
  delete object;
  return TRUE;
}
