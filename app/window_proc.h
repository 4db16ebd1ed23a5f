// The window procedure: closing, activation, the hidden cursor and the key
// commands that choose the thruster and the velocity-rotating mode.
#pragma once

#include "platform/win32.h"

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
