// The window procedure's key commands, cursor and default handling. The
// activation switch and closing need a window and a context: see the GL tests.
#include <gtest/gtest.h>

#include "app/window_proc.h"
#include "platform/testing.h"
#include "sim/ship_controller.h"

namespace {

class WindowProcKeys : public ::testing::Test {
 protected:
  void SetUp() override { g_controller = &controller; }
  void TearDown() override { g_controller = nullptr; }

  static LRESULT press(WPARAM virtualKey) {
    return windowProc(nullptr, WM_KEYDOWN, virtualKey, 0x00000001);
  }

  ShipController controller{nullptr, nullptr};
};

}  // namespace

TEST_F(WindowProcKeys, LettersChooseTheThruster) {
  const std::pair<char, uint8_t> commands[] = {
      {'A', Port}, {'D', Starboard}, {'E', Dorsal}, {'Q', Ventral}, {'W', Front}, {'S', Main}};
  for (const auto& [key, thruster] : commands) {
    EXPECT_EQ(press(WPARAM(key)), 0);
    EXPECT_EQ(controller.thruster, thruster) << key;
  }
  press('Z');
  press(VK_ESCAPE);
  EXPECT_EQ(controller.thruster, Main);
  EXPECT_FALSE(controller.velocityRotating);
}

TEST_F(WindowProcKeys, TabTogglesTheModeOnlyWhileNotRotating) {
  press(VK_TAB);
  EXPECT_TRUE(controller.velocityRotating);
  press(VK_TAB);
  EXPECT_FALSE(controller.velocityRotating);

  controller.rotating = true;
  press(VK_TAB);
  EXPECT_FALSE(controller.velocityRotating);
  // The thruster rule still runs on a Tab that changes nothing.
  controller.velocityRotating = true;
  controller.thruster = Starboard;
  press(VK_TAB);
  EXPECT_TRUE(controller.velocityRotating);
  EXPECT_EQ(controller.thruster, Main);
}

TEST_F(WindowProcKeys, VelocityRotatingLeavesOnlyMainAndFront) {
  press('A');
  press(VK_TAB);  // on, and port becomes main in the same key press
  EXPECT_TRUE(controller.velocityRotating);
  EXPECT_EQ(controller.thruster, Main);
  for (char key : {'A', 'D', 'E', 'Q'}) {
    press(WPARAM(key));
    EXPECT_EQ(controller.thruster, Main) << key;
  }
  press('W');
  EXPECT_EQ(controller.thruster, Front);
  press('X');
  EXPECT_EQ(controller.thruster, Front);
  press(VK_TAB);  // off: the selection stays
  EXPECT_FALSE(controller.velocityRotating);
  EXPECT_EQ(controller.thruster, Front);
}

TEST(WindowProc, KeysBeforeTheWorldExistsChangeNothing) {
  ASSERT_EQ(g_controller, nullptr);
  EXPECT_EQ(windowProc(nullptr, WM_KEYDOWN, VK_TAB, 1), 0);
}

TEST(WindowProc, EverySetCursorHidesTheCursorOnceMore) {
  EXPECT_EQ(windowProc(nullptr, WM_SETCURSOR, 0, HTCLIENT), 0);
  EXPECT_EQ(platform::testing::cursorDisplayCount(), -1);
  windowProc(nullptr, WM_SETCURSOR, 0, HTCLIENT);
  EXPECT_EQ(platform::testing::cursorDisplayCount(), -2);
}

TEST(WindowProc, OtherMessagesGetTheDefaultAnswer) {
  EXPECT_EQ(windowProc(nullptr, WM_NCCREATE, 0, 0), TRUE);
  EXPECT_EQ(windowProc(nullptr, WM_KEYUP, 'A', 0), 0);
}
