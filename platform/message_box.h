// user32: the modal message box and wsprintfA.
#pragma once

#include "platform/types.h"

#define MB_OK 0x00000000
#define IDOK 1

int WINAPI MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
// Formats at most 1024 characters, as on Windows; the buffer must hold them.
int wsprintfA(LPSTR buffer, LPCSTR format, ...);
