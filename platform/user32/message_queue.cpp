// The message queue: PeekMessageA, TranslateMessage, DispatchMessageA,
// PostMessageA, DefWindowProcA.
//
// PeekMessageA hands out posted messages first, then the window system's
// input, which it takes one event at a time (input_events.cpp says how events
// become messages); as an input message leaves the queue, GetKeyState follows
// it. DispatchMessageA runs the procedure of the message's window.
// DefWindowProcA sends, synchronously as on Windows: for Alt+F4
// (WM_SYSKEYDOWN) WM_SYSCOMMAND SC_CLOSE, for that WM_CLOSE, and for WM_CLOSE
// it destroys the window. The queue holds at most 10000 posted messages, as
// Windows' does by default.
//
// Not provided: GetMessage and WM_QUIT's special meaning, sent messages from
// other threads, WM_CHAR (TranslateMessage translates nothing: nothing here
// reads text), WM_PAINT and timers.
#include "platform/user32/message_queue.h"

#include "platform/user32/input_events.h"
#include "platform/user32/keyboard.h"
#include "platform/user32/window.h"
#include "platform/winmm.h"

namespace platform {

MessageQueue postedQueue(10000);

namespace {

MessageQueue input(4096);

constexpr LPARAM kAltDown = LPARAM(1) << 29;  // lParam's context code

}  // namespace

bool queueInput(const MSG& message) { return input.push(message); }

void forgetMessagesFor(HWND window) {
  postedQueue.removeWindow(window);
  input.removeWindow(window);
}

}  // namespace platform

BOOL WINAPI PeekMessageA(MSG* message, HWND window, UINT filterMin, UINT filterMax,
                         UINT removeMessage) {
  if (!message) return FALSE;
  const bool remove = removeMessage & PM_REMOVE;
  if (platform::postedQueue.take(message, window, filterMin, filterMax, remove)) return TRUE;
  do {
    if (platform::input.take(message, window, filterMin, filterMax, remove)) {
      if (remove) platform::followInputMessage(*message);
      return TRUE;
    }
  } while (platform::pumpInputEvent());
  return FALSE;
}

BOOL WINAPI TranslateMessage(const MSG* message) {
  if (!message) return FALSE;
  switch (message->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP: return TRUE;
    default: return FALSE;
  }
}

LRESULT WINAPI DispatchMessageA(const MSG* message) {
  if (!message) return 0;
  return platform::sendMessage(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WINAPI PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window && !platform::windowFrom(window)) return FALSE;  // ERROR_INVALID_WINDOW_HANDLE
  const MSG posted = {window, message,       wParam,
                      lParam, timeGetTime(), platform::lastPointerPosition()};
  return platform::postedQueue.push(posted) ? TRUE : FALSE;  // ERROR_NOT_ENOUGH_QUOTA
}

LRESULT WINAPI DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE: return TRUE;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & platform::kAltDown)) {
        platform::sendMessage(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) platform::sendMessage(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE: DestroyWindow(window); return 0;
    default: return 0;
  }
}
