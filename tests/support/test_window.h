// Windows of the stand-in for tests: a window class whose procedure records
// every message, and the main loop's way of taking messages.
#pragma once

#include <functional>
#include <vector>

#include "platform/win32.h"

// The messages that the recording procedure received, in order.
inline std::vector<MSG> g_receivedMessages;
// Records the message, then answers as DefWindowProcA does.
LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A shown popup window whose procedure records, destroyed with the object.
struct RecordingWindow {
  explicit RecordingWindow(const char* title, int width = 320, int height = 240);
  ~RecordingWindow() { DestroyWindow(handle); }
  RecordingWindow(const RecordingWindow&) = delete;
  RecordingWindow& operator=(const RecordingWindow&) = delete;
  HWND handle;
};

// Dispatches messages as the main loop does until one satisfies wanted (true)
// or the time passes (false); or whatever comes within the given time.
bool pumpUntil(const std::function<bool(const MSG&)>& wanted, int milliseconds = 5000);
inline void pumpFor(int milliseconds) {
  pumpUntil([](const MSG&) { return false; }, milliseconds);
}
