// Real X input, made with xdotool, reaching a window of the stand-in as
// messages; keys and buttons are held across polls, as a person holds them.
#include <gtest/gtest.h>

#include "tests/support/test_window.h"

namespace {

bool held(int virtualKey) { return GetKeyState(virtualKey) & 0x80; }

bool isMessage(const MSG& message, UINT number, WPARAM wParam) {
  return message.message == number && message.wParam == wParam;
}

}  // namespace

TEST(XInput, KeysArriveWithVirtualKeyCodesAndGetKeyStateFollowsTheQueue) {
  RecordingWindow window("Keys");
  pumpFor(300);
  xdotool("keydown a");
  EXPECT_FALSE(held('A')) << "nothing taken from the queue yet";
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_KEYDOWN, 'A'); }));
  EXPECT_TRUE(held('A'));
  pumpFor(100);
  EXPECT_TRUE(held('A')) << "held across polls";
  xdotool("keyup a");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_KEYUP, 'A'); }));
  EXPECT_FALSE(held('A'));

  xdotool("keydown Tab keyup Tab keydown Escape keyup Escape keydown F1 keyup F1");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_KEYUP, VK_F1); }));
  std::vector<WPARAM> pressed;
  for (const ReceivedMessage& m : receivedMessages()) {
    if (m.message == WM_KEYDOWN) pressed.push_back(m.wParam);
  }
  EXPECT_EQ(pressed, (std::vector<WPARAM>{'A', VK_TAB, VK_ESCAPE, VK_F1}));
}

TEST(XInput, AltF4ClosesTheWindowThroughTheDefaultProcedure) {
  RecordingWindow window("AltF4Keys");
  pumpFor(300);
  xdotool("keydown alt+F4");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_SYSKEYDOWN, VK_F4); }));
  xdotool("keyup alt+F4");
  bool closed = false;
  for (const ReceivedMessage& m : receivedMessages()) closed |= m.message == WM_CLOSE;
  EXPECT_TRUE(closed);
  EXPECT_EQ(GetFocus(), nullptr) << "the window is gone";
}

TEST(XInput, FocusLeavingAndReturningActivatesTheApplication) {
  RecordingWindow window("Focus");
  pumpFor(300);
  const std::string root = xdotool("search --maxdepth 0 --name ''");
  ASSERT_FALSE(root.empty());
  xdotool("windowfocus " + root);
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_ACTIVATEAPP, FALSE); }));
  EXPECT_EQ(GetFocus(), nullptr);
  xdotool("windowfocus " + xWindowId("Focus"));
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return isMessage(m, WM_ACTIVATEAPP, TRUE); }));
  EXPECT_EQ(GetFocus(), window.handle);
}

TEST(XInput, ThePointerSetsTheCursorAndIsTrackedInScreenCoordinates) {
  RecordingWindow window("Pointer", 400, 300);
  pumpFor(300);
  xdotool("mousemove 120 80");
  ASSERT_TRUE(pumpUntil([&](const MSG& m) {
    return m.message == WM_SETCURSOR && m.wParam == WPARAM(window.handle);
  }));
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return m.message == WM_MOUSEMOVE; }));
  EXPECT_EQ(receivedMessages().back().lParam, (80 << 16) | 120);
  POINT cursor;
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, 120);
  EXPECT_EQ(cursor.y, 80);

  ASSERT_TRUE(SetCursorPos(200, 150));
  ASSERT_TRUE(GetCursorPos(&cursor));
  EXPECT_EQ(cursor.x, 200);
  EXPECT_EQ(cursor.y, 150);
  EXPECT_NE(xdotool("getmouselocation").find("x:200 y:150"), std::string::npos);

  xdotool("mousedown 1");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return m.message == WM_LBUTTONDOWN; }));
  EXPECT_TRUE(held(VK_LBUTTON));
  xdotool("mousedown 3");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return m.message == WM_RBUTTONDOWN; }));
  EXPECT_TRUE(held(VK_LBUTTON));
  EXPECT_TRUE(held(VK_RBUTTON));
  xdotool("mouseup 1 mouseup 3");
  ASSERT_TRUE(pumpUntil([](const MSG& m) { return m.message == WM_RBUTTONUP; }));
  EXPECT_FALSE(held(VK_LBUTTON));
  EXPECT_FALSE(held(VK_RBUTTON));
}
