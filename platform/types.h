// The basic Win32 types, calling conventions and handle kinds that every
// service area of the stand-in shares. Layouts and values are those of the
// Windows headers for a 64-bit build (LONG and DWORD are 32 bits wide).
#pragma once

#include <cstdint>

#define WINAPI
#define CALLBACK
#ifndef APIENTRY  // GL/gl.h defines it too, to the same empty expansion
#define APIENTRY
#endif

typedef int BOOL;
typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t UINT;
typedef int64_t LONGLONG;
typedef char CHAR;
typedef char16_t WCHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const WCHAR* LPCWSTR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef DWORD* LPDWORD;
typedef BYTE* LPBYTE;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef uintptr_t SIZE_T;
typedef uint16_t ATOM;
typedef LONG LSTATUS;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Handles are distinct opaque pointer types, as with STRICT on Windows.
#define ORBITRAND_DECLARE_HANDLE(name) \
  struct name##__;                     \
  typedef struct name##__* name
ORBITRAND_DECLARE_HANDLE(HWND);
ORBITRAND_DECLARE_HANDLE(HDC);
ORBITRAND_DECLARE_HANDLE(HGLRC);
ORBITRAND_DECLARE_HANDLE(HINSTANCE);
ORBITRAND_DECLARE_HANDLE(HKEY);
ORBITRAND_DECLARE_HANDLE(HICON);
ORBITRAND_DECLARE_HANDLE(HMENU);
ORBITRAND_DECLARE_HANDLE(HBRUSH);
ORBITRAND_DECLARE_HANDLE(HFONT);
ORBITRAND_DECLARE_HANDLE(HBITMAP);
#undef ORBITRAND_DECLARE_HANDLE
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef HICON HCURSOR;
typedef HANDLE HLOCAL;
typedef HINSTANCE HMODULE;

#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<intptr_t>(-1)))

struct POINT {
  LONG x;
  LONG y;
};

struct RECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};

union LARGE_INTEGER {
  struct {
    DWORD LowPart;
    LONG HighPart;
  } u;
  LONGLONG QuadPart;
};
