// Start-up at 800 x 600: from the program's process start to its first
// presented frame, the built program run as a user runs it and watched on the
// screen; and the scene set-up alone, timed in this process on the window and
// context that the program's own start-up makes.
// Run on a virtual display of its own: scripts/with-display.sh build/bench/startup_bench
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <optional>
#include <vector>

#include "app/shutdown.h"
#include "bench/support/first_frame.h"
#include "bench/support/spread.h"
#include "bench/support/system_start.h"
#include "render/graphics.h"
#include "scene/chase_camera.h"
#include "scene/model_object.h"
#include "scene/star_background.h"
#include "sim/body.h"
#include "sim/scene_setup.h"
#include "sim/ship_controller.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRuns = 5;

double millisecondsBetween(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double, std::milli>(end - start).count();
}

// One start of the program, ended with Escape after its first frame.
std::optional<double> millisecondsToFirstFrame(const e2e::Screen& screen) {
  e2e::Stage stage;
  stage.requestMode(kWidth, kHeight);
  const Clock::time_point start = Clock::now();
  e2e::Program program(stage);
  const auto seen = waitForFirstFrame(screen, kWidth, kHeight, seconds(60));
  if (!seen) {
    std::fprintf(stderr, "no first frame within a minute\n%s", program.errorOutput().c_str());
    return std::nullopt;
  }
  // Escape pressed at the very first frame can go unseen; a person lets the
  // first frames pass before reaching for it.
  e2e::pause(seconds(1));
  e2e::holdKey("Escape", milliseconds(400));
  if (program.waitForExit(seconds(20)) != 0) {
    std::fprintf(stderr, "the program did not end with code 0 on Escape\n%s",
                 program.errorOutput().c_str());
    return std::nullopt;
  }
  return millisecondsBetween(start, *seen);
}

// Undoes createScene for the next run: the lists as shutdown empties them,
// the singletons, and the textures and buffers that would otherwise stay
// with the context until it ends.
void destroyScene() {
  for (SceneObject* object = g_objects; object; object = object->next) {
    // The scene set-up makes every object of the list a model.
    const auto* model = static_cast<ModelObject*>(object);
    const GLuint texture = static_cast<GLuint>(model->texture);
    glDeleteTextures(1, &texture);
    const GLuint buffers[] = {model->vertexBuffer, model->texcoordBuffer};
    if (g_vbo.supported) g_vbo.glDeleteBuffersARB(2, buffers);
  }
  const GLuint stars = static_cast<GLuint>(g_background->texture);
  glDeleteTextures(1, &stars);
  destroyWorldLists();
  delete g_background;
  delete g_camera;
  delete g_controller;
  g_background = nullptr;
  g_camera = nullptr;
  g_controller = nullptr;
}

// createScene's times in a process of its own start-up, its window gone after.
std::optional<std::vector<double>> createSceneMilliseconds() {
  e2e::Stage stage;
  stage.requestMode(kWidth, kHeight);
  if (!startGraphics(stage)) return std::nullopt;
  std::vector<double> times;
  for (int run = 0; run < kRuns; ++run) {
    const Clock::time_point start = Clock::now();
    createScene();
    glFinish();  // the textures and buffers are in place
    times.push_back(millisecondsBetween(start, Clock::now()));
    destroyScene();
  }
  shutdown();
  return times;
}

void printLine(const char* name, const std::vector<double>& times) {
  std::printf("  %-30s %8.1f   ", name, spreadOf(times).median);
  for (double time : times) std::printf(" %.1f", time);
  std::printf("\n");
}

int measure() {
  const e2e::Screen screen;
  std::vector<double> toFirstFrame;
  for (int run = 0; run < kRuns; ++run) {
    const std::optional<double> time = millisecondsToFirstFrame(screen);
    if (!time) return 1;
    toFirstFrame.push_back(*time);
  }
  const std::optional<std::vector<double>> sceneSetUp = createSceneMilliseconds();
  if (!sceneSetUp) return 1;

  std::printf("Start-up at %d x %d, %d runs\n", kWidth, kHeight, kRuns);
  std::printf("  %-30s %8s    %s\n", "milliseconds", "median", "each run");
  printLine("process start to first frame", toFirstFrame);
  printLine("createScene", *sceneSetUp);
  return 0;
}

}  // namespace

int main() {
  try {
    return measure();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
