// The message queue and the messages that windows send synchronously, driven
// as the main loop drives them (PeekMessageA, then DispatchMessageA), and
// real X keys and focus changes made with xdotool.
#include <gtest/gtest.h>

#include <SDL2/SDL.h>

#include "platform/testing.h"
#include "tests/support/test_window.h"

namespace {

constexpr UINT kFirstPrivate = 0x0400;  // WM_USER

std::vector<UINT> receivedNumbers() {
  std::vector<UINT> numbers;
  for (const ReceivedMessage& message : receivedMessages()) numbers.push_back(message.message);
  return numbers;
}

bool held(int virtualKey) { return GetKeyState(virtualKey) & 0x80; }

std::function<bool(const MSG&)> is(UINT number, WPARAM wParam) {
  return [=](const MSG& m) { return m.message == number && m.wParam == wParam; };
}

TEST(Messages, DispatchRunsTheProcedureOfTheWindowsClass) {
  RecordingWindow window("Posted");
  pumpFor(100);  // whatever showing the window brought
  ASSERT_TRUE(PostMessageA(window.handle, kFirstPrivate, 1, 10));
  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.hwnd, window.handle);
  receivedMessages().clear();
  DispatchMessageA(&message);
  ASSERT_EQ(receivedNumbers(), std::vector<UINT>{kFirstPrivate});
  EXPECT_EQ(receivedMessages()[0].lParam, 10);
}

TEST(Messages, AWindowSendsItsLifeToItsProcedureAsItHappens) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = recordingProc;
  windowClass.lpszClassName = "Lifetime";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  EXPECT_EQ(RegisterClassA(&windowClass), 0);
  HWND window =
      CreateWindowExA(0, "LIFETIME", "Life", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));

  receivedMessages().clear();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_SETFOCUS}));
  EXPECT_EQ(receivedMessages()[1].wParam, 1u);
  EXPECT_EQ(GetFocus(), window);

  EXPECT_FALSE(UnregisterClassA("Lifetime", nullptr)) << "a window of the class exists";
  receivedMessages().clear();
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_KILLFOCUS, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(receivedMessages()[1].wParam, 0u);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassA("Lifetime", nullptr));
}

TEST(Messages, AltF4ComesBackFromTheDefaultProcedureAsClose) {
  RecordingWindow window("AltF4");
  receivedMessages().clear();
  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_F4, 1);  // F4 without Alt
  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29));
  EXPECT_TRUE(receivedMessages().empty());
  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  // The default answer to WM_CLOSE, in turn, destroys the window.
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_KILLFOCUS, WM_ACTIVATEAPP,
                                                  WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(receivedMessages()[0].wParam, WPARAM(SC_CLOSE));
}

TEST(Messages, AQuitRequestClosesEveryWindow) {
  // What SDL makes of SIGINT and SIGTERM, and of the window manager's close.
  RecordingWindow first("First"), second("Second");
  pumpFor(100);
  receivedMessages().clear();
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  ASSERT_TRUE(pumpUntil([&](const MSG& m) { return m.message == WM_CLOSE && m.hwnd == second.handle; }));
  EXPECT_EQ(receivedMessages().front().message, WM_CLOSE);
  EXPECT_EQ(receivedMessages().front().window, first.handle);
}

TEST(XInput, KeysArriveWithVirtualKeyCodesAndGetKeyStateFollowsTheQueue) {
  RecordingWindow window("Keys");
  pumpFor(300);
  xdotool("keydown a");
  EXPECT_FALSE(held('A')) << "nothing taken from the queue yet";
  ASSERT_TRUE(pumpUntil(is(WM_KEYDOWN, 'A')));
  EXPECT_TRUE(held('A'));
  pumpFor(100);
  EXPECT_TRUE(held('A')) << "held across polls";
  xdotool("keyup a");
  ASSERT_TRUE(pumpUntil(is(WM_KEYUP, 'A')));
  EXPECT_FALSE(held('A'));

  xdotool("keydown Tab keyup Tab keydown Escape keyup Escape keydown F1 keyup F1");
  ASSERT_TRUE(pumpUntil(is(WM_KEYUP, VK_F1)));
  std::vector<WPARAM> pressed;
  for (const ReceivedMessage& m : receivedMessages()) {
    if (m.message == WM_KEYDOWN) pressed.push_back(m.wParam);
  }
  EXPECT_EQ(pressed, (std::vector<WPARAM>{'A', VK_TAB, VK_ESCAPE, VK_F1}));
}

TEST(XInput, FocusLeavingAndReturningActivatesTheApplication) {
  RecordingWindow window("Focus");
  pumpFor(300);
  xdotool("windowfocus " + xdotool("search --maxdepth 0 --name ''"));  // the root window
  ASSERT_TRUE(pumpUntil(is(WM_ACTIVATEAPP, FALSE)));
  EXPECT_EQ(GetFocus(), nullptr);
  xdotool("windowfocus " + xWindowId("Focus"));
  ASSERT_TRUE(pumpUntil(is(WM_ACTIVATEAPP, TRUE)));
  EXPECT_EQ(GetFocus(), window.handle);
}

}  // namespace
