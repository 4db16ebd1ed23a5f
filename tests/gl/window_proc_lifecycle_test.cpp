// The window procedure over the real window and context: switching away and
// back, and closing, driven through the queue as the main loop drives it.
#include <GL/gl.h>
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "app/app_state.h"
#include "app/display_settings.h"
#include "app/main_window.h"
#include "platform/testing.h"
#include "render/graphics.h"
#include "scene/scene_object.h"
#include "sim/body.h"
#include "tests/support/test_window.h"

using platform::testing::lastDisplayModeRequest;

namespace {

const HINSTANCE kInstance = reinterpret_cast<HINSTANCE>(0x400000);

std::string screenSize() { return xdotool("getdisplaygeometry"); }

// Whether a context was current when each object was destroyed.
std::vector<bool> destroyedWithContext;

struct WitnessObject : SceneObject {
  ~WitnessObject() override { destroyedWithContext.push_back(SDL_GL_GetCurrentContext()); }
};

// The start-up up to a current context, as WinMain and initGraphics run it.
class RunningApplication : public ::testing::Test {
 protected:
  void SetUp() override {
    g_instance = kInstance;
    g_display = {800, 600, 32, 60};
    ASSERT_TRUE(createMainWindow(kInstance, SW_SHOWDEFAULT));
    g_deviceContext = GetDC(g_window);
    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.cColorBits = 32;
    format.cDepthBits = 16;
    ASSERT_TRUE(SetPixelFormat(g_deviceContext, ChoosePixelFormat(g_deviceContext, &format),
                               &format));
    g_glContext = wglCreateContext(g_deviceContext);
    ASSERT_TRUE(wglMakeCurrent(g_deviceContext, g_glContext));
  }

  // Posts the message and runs the main loop's message handling until the
  // queue is empty or the loop would end.
  static void deliver(UINT message, WPARAM wParam) {
    PostMessageA(g_window, message, wParam, 0);
    MSG taken;
    while (g_app.running && PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&taken);
      DispatchMessageA(&taken);
    }
  }
};

}  // namespace

TEST_F(RunningApplication, SwitchingAwayAndBackReleasesAndRestoresModeAndContext) {
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
  const platform::testing::DisplayModeRequest request = lastDisplayModeRequest();
  EXPECT_EQ(request.flags, DWORD(CDS_RESET));
  EXPECT_EQ(request.mode.dmPelsWidth, 800u);
  EXPECT_FALSE(request.contextCurrent) << "the mode is switched before the context";
  EXPECT_NE(SDL_GL_GetCurrentContext(), nullptr);
  EXPECT_EQ(screenSize(), "800 600\n");
  deliver(WM_ACTIVATEAPP, 2);  // activated by a click: still active, nothing to do
  EXPECT_EQ(lastDisplayModeRequest().count, requestsAtStart + 2);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

TEST_F(RunningApplication, CloseShutsDownInOrderAndEndsTheLoop) {
  destroyedWithContext.clear();
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

  deliver(WM_CLOSE, 0);
  EXPECT_FALSE(g_app.running);
  EXPECT_EQ(g_objects, nullptr);
  EXPECT_EQ(g_bodies, nullptr);
  EXPECT_EQ(destroyedWithContext, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(platform::testing::cursorDisplayCount(), cursorCount + 1);
  EXPECT_TRUE(lastDisplayModeRequest().desktop);
  EXPECT_EQ(screenSize(), "1024 768\n");
  EXPECT_EQ(g_glContext, nullptr);
  EXPECT_FALSE(wglDeleteContext(context)) << "already deleted";
  EXPECT_EQ(g_window, nullptr);
  EXPECT_FALSE(DestroyWindow(window)) << "already destroyed";
  EXPECT_FALSE(UnregisterClassA("Orbitrand", kInstance)) << "already unregistered";
}

TEST_F(RunningApplication, CloseWhileInactiveEndsTheSameWay) {
  deliver(WM_ACTIVATEAPP, FALSE);
  deliver(WM_CLOSE, 0);
  EXPECT_FALSE(g_app.running);
  EXPECT_EQ(g_window, nullptr);
  EXPECT_EQ(g_glContext, nullptr);
}

TEST_F(RunningApplication, AltF4FromTheKeyboardEndsTheLoop) {
  pumpFor(200);
  xdotool("keydown alt+F4");
  MSG taken;
  for (int polls = 0; g_app.running && polls < 2000; ++polls) {
    if (PeekMessageA(&taken, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&taken);
      DispatchMessageA(&taken);
    } else {
      SDL_Delay(2);
    }
  }
  xdotool("keyup alt+F4");
  EXPECT_FALSE(g_app.running);
  EXPECT_EQ(g_window, nullptr);
}
