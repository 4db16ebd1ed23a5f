// The messages that windows send synchronously and those taken from the queue
// as the main loop takes them, from real X keys and buttons made with xdotool.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <functional>

#include "platform/testing/testing.h"
#include "tests/support/test_window.h"
#include "tests/support/xdotool.h"

namespace {

// The numbers of the messages received since the last call.
std::vector<UINT> takeReceived() {
  std::vector<UINT> numbers;
  for (const MSG& message : g_receivedMessages) numbers.push_back(message.message);
  g_receivedMessages.clear();
  return numbers;
}

// Dispatches messages as the main loop does until one satisfies wanted (true) or the time passes
// (false); without wanted, whatever comes within the time.
bool pumpUntil(const std::function<bool(const MSG&)>& wanted, int milliseconds = 5000) {
  const Uint64 end = SDL_GetTicks64() + Uint64(milliseconds);
  for (MSG message; SDL_GetTicks64() < end; SDL_Delay(2)) {
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageA(&message);
      if (wanted && wanted(message)) return true;
    }
  }
  return false;
}
void pumpFor(int milliseconds) { pumpUntil(nullptr, milliseconds); }

bool held(int virtualKey) { return GetKeyState(virtualKey) & 0x80; }

auto is(UINT number, WPARAM wParam) {
  return [=](const MSG& m) { return m.message == number && m.wParam == wParam; };
}

TEST(Messages, AWindowSendsItsLifeToItsProcedureAsItHappens) {
  WNDCLASSA windowClass = {0,       recordingProc, 0,       0,       nullptr,
                           nullptr, nullptr,       nullptr, nullptr, "Lifetime"};
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  HWND window = CreateWindowExA(0, "LIFETIME", "Life", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                                nullptr, nullptr);
  EXPECT_EQ(takeReceived(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));
  ShowWindow(window, SW_SHOW);
  EXPECT_EQ(g_receivedMessages.at(1).wParam, 1u);  // activated
  EXPECT_EQ(takeReceived(), (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_SETFOCUS}));
  EXPECT_EQ(GetFocus(), window);
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(g_receivedMessages.at(1).wParam, 0u);  // deactivated
  EXPECT_EQ(takeReceived(),
            (std::vector<UINT>{WM_KILLFOCUS, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(UnregisterClassA("Lifetime", nullptr));
}

TEST(XInput, GetKeyStateFollowsTheQueueForKeysAndButtonsAlike) {
  RecordingWindow window("Keys");
  pumpFor(300);
  xdotool("keydown a");
  EXPECT_FALSE(held('A')) << "nothing taken from the queue yet";
  ASSERT_TRUE(pumpUntil(is(WM_KEYDOWN, 'A')));
  pumpFor(100);
  EXPECT_TRUE(held('A')) << "held across polls";
  xdotool("mousemove 10 10 mousedown 1");  // buttons as keys
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return m.message == WM_LBUTTONDOWN; }));
  EXPECT_TRUE(held(VK_LBUTTON));
  xdotool("keydown alt keydown a mouseup 1 keyup a keyup alt");  // released with Alt held too
  ASSERT_TRUE(pumpUntil(is(WM_SYSKEYUP, VK_MENU)));
  EXPECT_FALSE(held(VK_LBUTTON) || held('A'));
}

}  // namespace
