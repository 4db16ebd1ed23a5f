// A small Windows program that writes, one line each, what its window
// procedure receives (message and wParam, in order) and what the calls it
// makes return: class, window, show, focus, the key state before and after,
// and close. Built on the Linux stand-in and with the real Windows API, it
// lets the wine tests hold the stand-in against Wine on the same display.
// Whoever drives it moves the focus away and back, presses and releases A,
// then Alt+F4; it ends when its window is gone, or after a minute.
#include <cstdio>

#include "platform/win32.h"

namespace {

constexpr char kTitle[] = "Message trace";
constexpr DWORD kLifetimeMs = 60000;
bool g_running = true;

// Names for the messages that matter here; others as numbers.
const char* messageName(UINT message) {
  switch (message) {
    case WM_CREATE: return "WM_CREATE";
    case WM_DESTROY: return "WM_DESTROY";
    case WM_ACTIVATE: return "WM_ACTIVATE";
    case WM_SETFOCUS: return "WM_SETFOCUS";
    case WM_KILLFOCUS: return "WM_KILLFOCUS";
    case WM_CLOSE: return "WM_CLOSE";
    case WM_SHOWWINDOW: return "WM_SHOWWINDOW";
    case WM_ACTIVATEAPP: return "WM_ACTIVATEAPP";
    case WM_SETCURSOR: return "WM_SETCURSOR";
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCDESTROY: return "WM_NCDESTROY";
    case WM_KEYDOWN: return "WM_KEYDOWN";
    case WM_KEYUP: return "WM_KEYUP";
    case WM_CHAR: return "WM_CHAR";
    case WM_SYSKEYDOWN: return "WM_SYSKEYDOWN";
    case WM_SYSKEYUP: return "WM_SYSKEYUP";
    case WM_SYSCOMMAND: return "WM_SYSCOMMAND";
    default: return nullptr;
  }
}

// Whether a key is down, as GetKeyState reports it.
const char* keyState(int virtualKey) { return (GetKeyState(virtualKey) & 0x8000) ? "down" : "up"; }

// Handles by what they are, since their values differ from run to run.
const char* handle(const void* value, const void* window) {
  return !value ? "null" : value == window ? "window" : "other";
}

LRESULT CALLBACK traceProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const char* name = messageName(message);
  if (name) {
    std::printf("%s %llx\n", name, static_cast<unsigned long long>(wParam));
  } else {
    std::printf("0x%04x %llx\n", message, static_cast<unsigned long long>(wParam));
  }
  if (message == WM_KEYDOWN || message == WM_KEYUP) {
    std::printf("GetKeyState %s\n", keyState(static_cast<int>(wParam)));
  }
  std::fflush(stdout);
  if (message == WM_CLOSE) {  // as the program's own shutdown: the window goes at once
    std::printf("DestroyWindow %d\n", DestroyWindow(window) ? 1 : 0);
    g_running = false;
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = traceProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  windowClass.lpszClassName = kTitle;
  std::printf("RegisterClassA %s\n", RegisterClassA(&windowClass) ? "nonzero" : "0");
  std::printf("GetKeyState A %s\n", keyState('A'));
  std::fflush(stdout);
  // Orbitrand's kind of window: a popup covering the screen.
  HWND window = CreateWindowExA(0, kTitle, kTitle, WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                                GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, instance, nullptr);
  std::printf("CreateWindowExA %s\n", handle(window, window));
  std::fflush(stdout);
  if (!window) return 1;
  std::printf("ShowWindow %d\n", ShowWindow(window, SW_SHOW) ? 1 : 0);
  std::fflush(stdout);
  std::printf("SetFocus %s\n", handle(SetFocus(window), window));
  std::printf("GetFocus %s\n", handle(GetFocus(), window));
  std::printf("ready\n");
  std::fflush(stdout);

  const DWORD start = timeGetTime();
  MSG message;
  while (g_running && timeGetTime() - start < kLifetimeMs) {
    if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
    }
  }
  std::printf("GetKeyState A %s\n", keyState('A'));
  std::printf("UnregisterClassA %d\n", UnregisterClassA(kTitle, instance) ? 1 : 0);
  return g_running ? 2 : 0;
}
