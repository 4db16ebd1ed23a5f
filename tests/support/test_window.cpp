#include "tests/support/test_window.h"

#include <gtest/gtest.h>

LRESULT CALLBACK recordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_receivedMessages.push_back({window, message, wParam, lParam, 0, {}});
  return DefWindowProcA(window, message, wParam, lParam);
}

RecordingWindow::RecordingWindow(const char* title, int width, int height) {
  WNDCLASSA windowClass = {0,       recordingProc, 0,       0,       nullptr,
                           nullptr, nullptr,       nullptr, nullptr, "RecordingWindow"};
  RegisterClassA(&windowClass);  // once per process; later calls fail harmlessly
  handle = CreateWindowExA(0, windowClass.lpszClassName, title, WS_POPUP, 0, 0, width, height,
                           nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(handle, nullptr);
  ShowWindow(handle, SW_SHOW);
}
