#include "app/shutdown.h"

#include "app/app_state.h"
#include "app/main_window.h"
#include "render/graphics.h"
#include "scene/scene_object.h"
#include "sim/body.h"

void destroyWorldLists() {
  while (g_objects) {
    SceneObject* next = g_objects->next;
    delete g_objects;
    g_objects = next;
  }
  while (g_bodies) {
    Body* next = g_bodies->next;
    delete g_bodies;
    g_bodies = next;
  }
}

void shutdown() {
  // The objects go while their context is still current: their display lists
  // are deleted with them.
  destroyWorldLists();
  ChangeDisplaySettingsA(nullptr, 0);
  ShowCursor(TRUE);
  wglMakeCurrent(nullptr, nullptr);
  wglDeleteContext(g_glContext);
  g_glContext = nullptr;
  DestroyWindow(g_window);
  g_window = nullptr;
  UnregisterClassA(g_app.title, g_instance);
}
