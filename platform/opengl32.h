// opengl32: OpenGL rendering contexts and bitmap fonts.
#pragma once

#include "platform/types.h"

typedef void (*PROC)();

HGLRC WINAPI wglCreateContext(HDC dc);
BOOL WINAPI wglMakeCurrent(HDC dc, HGLRC context);
BOOL WINAPI wglDeleteContext(HGLRC context);
PROC WINAPI wglGetProcAddress(LPCSTR name);
BOOL WINAPI wglUseFontBitmapsA(HDC dc, DWORD first, DWORD count, DWORD listBase);
