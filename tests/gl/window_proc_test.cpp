// The window procedure: its key commands, cursor and default handling, and,
// over the real window and context, switching away and back and closing,
// driven through the queue as the main loop drives it.
#include "app/window_proc.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/main_window.h"
#include "platform/testing.h"
#include "render/graphics.h"
#include "scene/scene_object.h"
#include "sim/body.h"
#include "sim/ship_controller.h"
#include "tests/support/test_window.h"

using platform::testing::lastDisplayModeRequest;

namespace {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);

std::string screenSize() { return xdotool("getdisplaygeometry"); }

TEST(WindowProc, LettersChooseTheThrusterVelocityRotatingLeavesOnlyMainAndFrontAndTheCursorHides) {
  ShipController controller{nullptr, nullptr};
  g_controller = &controller;
  const auto press = [](WPARAM virtualKey) { return windowProc(nullptr, WM_KEYDOWN, virtualKey, 1); };
  const struct {
    WPARAM key;
    uint8_t thruster;
    bool velocityRotating;
  } presses[] = {
      {'A', Port, false},  {'D', Starboard, false}, {'E', Dorsal, false}, {'Q', Ventral, false},
      {'W', Front, false}, {'S', Main, false},      {'Z', Main, false},   {VK_ESCAPE, Main, false},
      {'A', Port, false},  {VK_TAB, Main, true},  // on, and port becomes main in the same key press
      {'A', Main, true},   {'D', Main, true},       {'E', Main, true},    {'Q', Main, true},
      {'W', Front, true},  {'X', Front, true},      {VK_TAB, Front, false},  // off: the selection stays
  };
  for (const auto& p : presses) {
    EXPECT_EQ(press(p.key), 0);
    EXPECT_EQ(controller.thruster, p.thruster) << p.key;
    EXPECT_EQ(controller.velocityRotating, p.velocityRotating) << p.key;
  }
  // While the ship turns, Tab changes no mode, but the thruster rule still runs.
  controller.rotating = controller.velocityRotating = true;
  controller.thruster = Starboard;
  press(VK_TAB);
  EXPECT_TRUE(controller.velocityRotating);
  EXPECT_EQ(controller.thruster, Main);

  // Every WM_SETCURSOR hides the cursor once more; before the world, keys change nothing.
  EXPECT_EQ(windowProc(nullptr, WM_SETCURSOR, 0, HTCLIENT), 0);
  windowProc(nullptr, WM_SETCURSOR, 0, HTCLIENT);
  EXPECT_EQ(platform::testing::cursorDisplayCount(), -2);
  g_controller = nullptr;
  EXPECT_EQ(press(VK_TAB), 0);
  EXPECT_EQ(windowProc(nullptr, WM_NCCREATE, 0, 0), TRUE);  // the default answers
}

// The start-up up to the splash, as WinMain runs it.
class RunningApplication : public ::testing::Test {
 protected:
  void SetUp() override {
    g_instance = kInstance;
    g_display = {800, 600, 32, 60};
    ASSERT_TRUE(createMainWindow(kInstance, SW_SHOWDEFAULT));
    ASSERT_TRUE(initGraphics());
  }

  // Posts the message and handles the queue as the main loop does, until empty or the loop ends.
  static void deliver(UINT message, WPARAM wParam) {
    PostMessageA(g_window, message, wParam, 0);
    MSG taken;
    while (g_app.running && PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&taken);
      DispatchMessageA(&taken);
    }
  }
};

TEST_F(RunningApplication, SwitchingAwayAndBackReleasesAndRestoresModeAndContext) {
  EXPECT_EQ(lastDisplayModeRequest().flags, DWORD(CDS_FULLSCREEN)) << "the start-up switch";
  const int requestsAtStart = lastDisplayModeRequest().count;
  deliver(WM_ACTIVATEAPP, FALSE);
  EXPECT_FALSE(g_app.active);
  EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_TRUE(lastDisplayModeRequest().desktop);
  EXPECT_FALSE(lastDisplayModeRequest().contextCurrent) << "released before the mode";
  EXPECT_EQ(screenSize(), "1024 768\n");
  deliver(WM_ACTIVATEAPP, FALSE);
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 1) << "twice acts once";

  deliver(WM_ACTIVATEAPP, TRUE);
  EXPECT_TRUE(g_app.active);
  EXPECT_EQ(lastDisplayModeRequest().flags, DWORD(CDS_RESET));
  EXPECT_FALSE(lastDisplayModeRequest().contextCurrent) << "the mode is switched before the context";
  EXPECT_NE(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_EQ(screenSize(), "800 600\n");
  deliver(WM_ACTIVATEAPP, 2);  // activated by a click: still active, nothing to do
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 2);
  deliver(WM_ACTIVATEAPP, 3);  // any value but 1 and 2 deactivates
  EXPECT_FALSE(g_app.active);
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 3);
}

// Whether a context was current when each object was destroyed.
std::vector<bool> destroyedWithContext;

struct WitnessObject : SceneObject {
  ~WitnessObject() override { destroyedWithContext.push_back(SDL_GL_GetCurrentContext()); }
};

TEST_F(RunningApplication, CloseShutsDownInOrderAndEndsTheLoop) {
  for (int i = 0; i < 3; ++i) {
    auto* object = new WitnessObject();
    object->displayList = static_cast<int32_t>(glGenLists(1));
    object->next = g_objects;
    g_objects = object;
    auto* body = new Body(1.0f, 3, 1.0f, 3);
    body->next = g_bodies;
    g_bodies = body;
  }
  const HWND window = g_window;
  const HGLRC context = g_glContext;
  const int cursorCount = platform::testing::cursorDisplayCount();
  const int requests = lastDisplayModeRequest().count;

  deliver(WM_CLOSE, 0);
  EXPECT_FALSE(g_app.running);
  EXPECT_EQ(g_objects, nullptr);
  EXPECT_EQ(g_bodies, nullptr);
  EXPECT_EQ(destroyedWithContext, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(platform::testing::cursorDisplayCount(), cursorCount + 1);
  // The desktop mode, asked for by shutdown itself and again as the window's
  // destruction deactivates the application.
  EXPECT_TRUE(lastDisplayModeRequest().desktop);
  EXPECT_EQ(lastDisplayModeRequest().count, requests + 2);
  EXPECT_EQ(screenSize(), "1024 768\n");
  EXPECT_EQ(g_glContext, nullptr);
  EXPECT_FALSE(wglDeleteContext(context)) << "already deleted";
  EXPECT_EQ(g_window, nullptr);
  EXPECT_FALSE(DestroyWindow(window)) << "already destroyed";
  EXPECT_FALSE(UnregisterClassA("Orbitrand", kInstance)) << "already unregistered";
}

}  // namespace
