// The Windows platform services that Orbitrand calls, under their Windows
// names. The system's code includes this header and nothing else for platform
// services; built against the real Windows API it includes <windows.h> and the
// GL headers, and nothing under platform/ other than this header is used.
//
// Each service area has its header beside this one, and its implementation in
// the folder of the Windows library that it stands in for:
//   types.h        basic types and handles
//   user32.h       window classes, windows, messages, cursor and keys
//   display.h      display modes and screen metrics
//   advapi32.h     HKEY_LOCAL_MACHINE read from a registry export file
//   timers.h       performance counter and the millisecond timer
//   kernel32.h     files, read-only mappings, local memory
//   gdi32.h        GDI objects, DIB sections and DIB conversion
//   message_box.h  the message box and wsprintfA
//   opengl32.h     pixel formats, OpenGL contexts, bitmap fonts
#pragma once

#ifdef _WIN32
#include <windows.h>
#include <GL/gl.h>
#include <GL/glu.h>
#else
#include "platform/types.h"
#include "platform/user32.h"
#include "platform/display.h"
#include "platform/advapi32.h"
#include "platform/timers.h"
#include "platform/kernel32.h"
#include "platform/gdi32.h"
#include "platform/message_box.h"
#include "platform/opengl32.h"
#endif
