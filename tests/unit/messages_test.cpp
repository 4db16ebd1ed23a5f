// The message queue and the messages that windows send synchronously, driven
// as the main loop drives them: PeekMessageA, then DispatchMessageA.
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

LRESULT CALLBACK refusingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return message == WM_NCCREATE ? FALSE : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

TEST(Messages, PostedMessagesComeInOrderThroughTheFilters) {
  RecordingWindow window("Posted");
  pumpFor(100);  // whatever showing the window brought
  ASSERT_TRUE(PostMessageA(window.handle, kFirstPrivate, 1, 10));
  ASSERT_TRUE(PostMessageA(nullptr, kFirstPrivate + 1, 2, 20));
  ASSERT_TRUE(PostMessageA(window.handle, kFirstPrivate + 2, 3, 30));
  EXPECT_EQ(platform::testing::postedMessages().size(), 3u);

  MSG message;
  ASSERT_TRUE(PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(message.message, kFirstPrivate);
  ASSERT_TRUE(PeekMessageA(&message, nullptr, kFirstPrivate + 2, kFirstPrivate + 2, PM_REMOVE));
  EXPECT_EQ(message.wParam, 3u);
  const HWND threadOnly = reinterpret_cast<HWND>(static_cast<intptr_t>(-1));
  ASSERT_TRUE(PeekMessageA(&message, threadOnly, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.hwnd, nullptr);
  EXPECT_EQ(message.lParam, 20);

  // Dispatching runs the procedure of the window's class.
  receivedMessages().clear();
  ASSERT_TRUE(PeekMessageA(&message, window.handle, 0, 0, PM_REMOVE));
  EXPECT_EQ(message.hwnd, window.handle);
  DispatchMessageA(&message);
  ASSERT_EQ(receivedMessages().size(), 1u);
  EXPECT_EQ(receivedMessages()[0].message, kFirstPrivate);
  EXPECT_EQ(receivedMessages()[0].lParam, 10);
  EXPECT_TRUE(platform::testing::postedMessages().empty());

  EXPECT_FALSE(PostMessageA(reinterpret_cast<HWND>(&message), kFirstPrivate, 0, 0));
}

TEST(Messages, AWindowSendsItsLifeToItsProcedureAsItHappens) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = recordingProc;
  windowClass.lpszClassName = "Lifetime";
  ASSERT_NE(RegisterClassA(&windowClass), 0);
  EXPECT_EQ(RegisterClassA(&windowClass), 0);

  HWND window = CreateWindowExA(0, "LIFETIME", "Life", WS_POPUP, 0, 0, 320, 200, nullptr,
                                nullptr, nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_NCCREATE, WM_CREATE}));

  receivedMessages().clear();
  EXPECT_FALSE(ShowWindow(window, SW_SHOW));
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_SHOWWINDOW, WM_ACTIVATEAPP, WM_SETFOCUS}));
  EXPECT_EQ(receivedMessages()[1].wParam, 1u);
  EXPECT_EQ(GetFocus(), window);
  RECT client;
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right, 320);
  EXPECT_EQ(client.bottom, 200);

  // A class is not unregistered while a window of it exists.
  EXPECT_FALSE(UnregisterClassA("Lifetime", nullptr));
  receivedMessages().clear();
  EXPECT_TRUE(DestroyWindow(window));
  EXPECT_EQ(receivedNumbers(),
            (std::vector<UINT>{WM_KILLFOCUS, WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(receivedMessages()[1].wParam, 0u);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_FALSE(DestroyWindow(window));
  EXPECT_TRUE(UnregisterClassA("Lifetime", nullptr));
  EXPECT_EQ(CreateWindowExA(0, "Lifetime", "Life", WS_POPUP, 0, 0, 320, 200, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
}

TEST(Messages, AWindowWhoseProcedureRefusesCreationIsNotCreated) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = refusingProc;
  windowClass.lpszClassName = "Refusing";
  RegisterClassA(&windowClass);
  EXPECT_EQ(CreateWindowExA(0, "Refusing", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  EXPECT_TRUE(UnregisterClassA("Refusing", nullptr));
}

TEST(Messages, AltF4ComesBackFromTheDefaultProcedureAsClose) {
  RecordingWindow window("AltF4");
  receivedMessages().clear();
  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_F4, 1);  // F4 without Alt
  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_RETURN, 1 | (1 << 29));
  EXPECT_TRUE(receivedMessages().empty());

  DefWindowProcA(window.handle, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));
  // The default answer to WM_CLOSE, in turn, destroys the window.
  EXPECT_EQ(receivedNumbers(), (std::vector<UINT>{WM_SYSCOMMAND, WM_CLOSE, WM_KILLFOCUS,
                                                  WM_ACTIVATEAPP, WM_DESTROY, WM_NCDESTROY}));
  EXPECT_EQ(receivedMessages()[0].wParam, WPARAM(SC_CLOSE));
}

TEST(Messages, AQuitRequestClosesEveryWindow) {
  // What SDL makes of SIGINT and SIGTERM, and of the window manager's close.
  RecordingWindow first("First");
  RecordingWindow second("Second");
  pumpFor(100);
  receivedMessages().clear();
  SDL_Event quit = {};
  quit.type = SDL_QUIT;
  SDL_PushEvent(&quit);
  ASSERT_TRUE(pumpUntil([&](const MSG& m) { return m.message == WM_CLOSE && m.hwnd == second.handle; }));
  EXPECT_EQ(receivedMessages().front().message, WM_CLOSE);
  EXPECT_EQ(receivedMessages().front().window, first.handle);
}
