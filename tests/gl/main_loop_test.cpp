// The window procedure; a mode the display lacks; switching away and back,
// the main loop and closing over the real window and context; one frame's
// stages in their fixed order.
#include "app/window_proc.h"

#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "platform/testing/testing.h"
#include "render/frame.h"
#include "render/graphics.h"
#include "scene/chase_camera.h"
#include "scene/star_background.h"
#include "sim/body.h"
#include "sim/scene_setup.h"
#include "sim/ship_controller.h"
#include "tests/support/gl_context.h"
#include "tests/support/xdotool.h"

namespace {

using namespace platform::testing;

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);

TEST(WindowProc, LettersChooseTheThrusterVelocityRotatingLeavesOnlyMainAndFrontAndTheCursorHides) {
  ShipController controller{nullptr, nullptr};
  g_controller = &controller;
  const auto press = [](WPARAM key) { return windowProc(nullptr, WM_KEYDOWN, key, 1); };
  const std::tuple<WPARAM, uint8_t, bool> presses[] = {
      {'A', Port, false},     {'D', Starboard, false},  {'E', Dorsal, false},
      {'Q', Ventral, false},  {'W', Front, false},      {'S', Main, false},
      {'Z', Main, false},     {VK_ESCAPE, Main, false}, {'A', Port, false},
      {VK_TAB, Main, true},  // on, and port becomes main in the same key press
      {'A', Main, true},      {'D', Main, true},        {'E', Main, true},
      {'Q', Main, true},      {'W', Front, true},       {'X', Front, true},
      {VK_TAB, Front, false},  // off: the selection stays
  };
  for (const auto& [key, thruster, velocityRotating] : presses) {
    EXPECT_EQ(press(key), 0);
    EXPECT_EQ(controller.thruster, thruster) << key;
    EXPECT_EQ(controller.velocityRotating, velocityRotating) << key;
  }
  // While the ship turns, Tab changes no mode, but the thruster rule still runs.
  controller.rotating = controller.velocityRotating = true;
  controller.thruster = Starboard;
  press(VK_TAB);
  EXPECT_TRUE(controller.velocityRotating);
  EXPECT_EQ(controller.thruster, Main);

  // Every WM_SETCURSOR hides the cursor once more; before the world, keys change nothing.
  for (int time = 0; time < 2; ++time) EXPECT_EQ(windowProc(nullptr, WM_SETCURSOR, 0, HTCLIENT), 0);
  EXPECT_EQ(cursorDisplayCount(), -2);
  g_controller = nullptr;
  EXPECT_EQ(press(VK_TAB), 0);
  EXPECT_EQ(windowProc(nullptr, WM_NCCREATE, 0, 0), TRUE);  // the default answers
}

TEST(MainWindow, AModeTheDisplayLacksOpensNoWindow) {
  g_display = {1234, 567, 32, 60};
  EXPECT_FALSE(createMainWindow(kInstance, SW_SHOWDEFAULT));
  EXPECT_EQ(g_window, nullptr);
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
    for (MSG taken; g_app.running && PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE);) {
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
  EXPECT_EQ(xdotool("getdisplaygeometry"), "1024 768\n");
  deliver(WM_ACTIVATEAPP, FALSE);
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 1) << "twice acts once";

  deliver(WM_ACTIVATEAPP, TRUE);
  EXPECT_TRUE(g_app.active);
  EXPECT_EQ(lastDisplayModeRequest().flags, DWORD(CDS_RESET));
  EXPECT_FALSE(lastDisplayModeRequest().contextCurrent) << "the mode before the context";
  EXPECT_NE(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_EQ(xdotool("getdisplaygeometry"), "800 600\n");
  deliver(WM_ACTIVATEAPP, 2);  // activated by a click: still active, nothing to do
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 2);
  deliver(WM_ACTIVATEAPP, 3);  // any value but 1 and 2 deactivates
  EXPECT_FALSE(g_app.active);
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 3);
}

// Every waiting message is handled before a frame: the keys and the switch
// away queued before the first. Inactive, the loop composes none, and a close
// (here the desktop's, a moment later) still ends it.
TEST_F(RunningApplication, TheLoopComposesAFrameOnlyWhenNoMessageWaitsAndTheApplicationIsActive) {
  ASSERT_TRUE(createScene());
  startFrameClock();
  for (const WPARAM key : {'A', 'D'}) PostMessageA(g_window, WM_KEYDOWN, key, 0);
  PostMessageA(g_window, WM_ACTIVATEAPP, FALSE, 0);
  const SDL_TimerCallback close = [](Uint32, void*) -> Uint32 {
    SDL_Event quit{SDL_QUIT};
    SDL_PushEvent(&quit);
    return 0;  // once
  };
  SDL_AddTimer(300, close, nullptr);
  runMainLoop();
  EXPECT_EQ(g_frameSeconds, 0.0f) << "a frame was measured";
  EXPECT_EQ(g_window, nullptr) << "shut down";
}

// Whether a context was current when each witness was destroyed.
std::vector<bool> destroyedWithContext;

// An object that notes what it was drawn with and whether a context was current at
// its end, and draws a blue wall over the whole view just in front of the camera.
struct Witness : SceneObject {
  ~Witness() override { destroyedWithContext.push_back(SDL_GL_GetCurrentContext()); }
  void draw() override {
    drawnAt = *position;
    modelview = glFloats(GL_MODELVIEW_MATRIX, 16);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(0, 0, -1);
    glDisable(GL_TEXTURE_2D);
    glColor3f(0, 0, 1);
    glRectf(-10, -10, 10, 10);
    glEnable(GL_TEXTURE_2D);
    glPopMatrix();
  }
  Vector3 drawnAt;
  std::vector<float> modelview;
};

TEST_F(RunningApplication, CloseShutsDownInOrderAndEndsTheLoop) {
  WorldLists lists;
  for (int i = 0; i < 3; ++i) appendToWorld(lists, new Witness(), new Body(1.0f, 3, 1.0f, 3));
  const HWND window = g_window;
  const HGLRC context = g_glContext;
  const int cursorCount = cursorDisplayCount();
  const int requests = lastDisplayModeRequest().count;

  deliver(WM_CLOSE, 0);
  EXPECT_FALSE(g_app.running);
  EXPECT_EQ(g_objects, nullptr);
  EXPECT_EQ(g_bodies, nullptr);
  EXPECT_EQ(destroyedWithContext, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(cursorDisplayCount(), cursorCount + 1);
  // The desktop mode, asked for by shutdown itself and again as the window's
  // destruction deactivates the application.
  EXPECT_TRUE(lastDisplayModeRequest().desktop);
  EXPECT_EQ(lastDisplayModeRequest().count, requests + 2);
  EXPECT_EQ(xdotool("getdisplaygeometry"), "1024 768\n");
  EXPECT_EQ(g_glContext, nullptr);
  EXPECT_FALSE(wglDeleteContext(context)) << "already deleted";
  EXPECT_EQ(g_window, nullptr);
  EXPECT_FALSE(DestroyWindow(window)) << "already destroyed";
  EXPECT_FALSE(UnregisterClassA("Orbitrand", kInstance)) << "already unregistered";
}

using FrameTest = GlContextTest;

TEST_F(FrameTest, RotationsThenRecentringThenViewThenObjectsThenTheDisplay) {
  Witness ship, other;  // the other without a body
  *ship.position = Vector3(1, 2, 3);
  *other.position = Vector3(1, 2, 13);
  ship.rotationY = 90;  // pending from the last step
  Body body(1, 0, 1, 0);
  body.velocity = Vector3(0, 0, -1);
  WorldLists lists;
  appendToWorld(lists, &ship, &body);
  ship.next = &other;
  ShipController controller(&ship, &body);
  ChaseCamera camera(&ship, Vector3(0, 0.02, 0.07));
  StarBackground background(&camera, "no stars.bmp", 1, 1);
  g_controller = &controller;
  g_camera = &camera;
  g_background = &background;
  startFrameClock();
  glClearDepth(0);  // the last frame's depths, nearer than anything
  glClear(GL_DEPTH_BUFFER_BIT);
  glClearDepth(1);

  renderFrame();
  const std::vector<uint8_t> pixels = readPixels();
  EXPECT_TRUE(near(other.drawnAt, Vector3(0, 0, 10))) << "drawn after the re-centring";
  EXPECT_TRUE(near(camera.forward, Vector3(-1, 0, 0))) << "the view after the rotations";
  EXPECT_EQ(other.modelview, std::vector<float>(camera.view.m, camera.view.m + 16));
  EXPECT_GT(ink(pixels, kBlue), kWidth * kHeight / 2) << "the world over the backdrop";
  EXPECT_GT(ink(pixels, kWhite), 100) << "the display over the world";
  EXPECT_LT(body.position->z, 0.0) << "the world advanced";
  // The camera rides behind and above the turned ship, which was re-centred too.
  EXPECT_TRUE(near(ship.drawnAt, Vector3()));
  EXPECT_TRUE(near(camera.eye, Vector3(0.07, 0.02, 0)));
  EXPECT_TRUE(near(camera.view.transformPoint(camera.eye), Vector3()));
  EXPECT_TRUE(near(camera.view.transformPoint(camera.eye + camera.forward), Vector3(0, 0, -1)));
}

}  // namespace
