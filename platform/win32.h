// The Windows platform services that Orbitrand calls, under their Windows
// names. The system's code includes this header and nothing else for platform
// services; built against the real Windows API it includes <windows.h> and the
// GL headers, and nothing under platform/ other than this header is used.
//
// On Linux each Windows library that the system uses has its header beside
// this one and its implementation in the folder of the same name:
//   types.h     basic types and handles, which the others share
//   user32.h    window classes, windows, messages, focus, cursor and keys,
//               display modes and screen metrics, the message box, wsprintfA
//   gdi32.h     GDI objects, device contexts, DIB sections, pixel formats, fonts
//   opengl32.h  OpenGL rendering contexts and bitmap fonts
//   kernel32.h  files, read-only mappings, local memory, the performance
//               counter, and the process's start (main calls WinMain)
//   advapi32.h  the registry: HKEY_LOCAL_MACHINE read from a registry file
//   winmm.h     the millisecond timer
// x11/ holds what works on the X server itself (display modes through RandR,
// the window manager's full-screen state, the desktop guard and its program),
// and testing/ the tests' seam into the stand-in.
#pragma once

#ifdef _WIN32
#include <windows.h>  // first: the GL headers use its declarations

#include <GL/gl.h>
#include <GL/glu.h>
#else
#include "platform/advapi32.h"
#include "platform/gdi32.h"
#include "platform/kernel32.h"
#include "platform/opengl32.h"
#include "platform/types.h"
#include "platform/user32.h"
#include "platform/winmm.h"
#endif
