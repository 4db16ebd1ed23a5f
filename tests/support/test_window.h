// Windows of the stand-in for tests, of a class whose procedure records every message.
#pragma once

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
