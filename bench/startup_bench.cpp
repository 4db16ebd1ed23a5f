// Start-up at 800 x 600: from the program's process start to its first
// presented frame, the built program run as a user runs it and watched on the
// screen, with the share of the watching apart; the scene set-up alone, timed
// in this process on the window and context that the program's own start-up
// makes; and shutdown, from the Escape key to the process's end. The Windows
// build under Wine is started and ended the same way, where it is built.
// Run on a virtual display of its own: scripts/with-display.sh build/bench/startup_bench
#include <GL/gl.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
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

struct Run {
  double seen;      // process start to the first frame seen on the screen
  double own;       // process start to the first frame, less the watching
  double shutdown;  // Escape pressed to the process's end
};

// Presses or releases Escape through the X test extension; the moment the
// server has taken the key (xdotool's own start-up would blur it).
Clock::time_point sendEscape(Display* display, bool down) {
  XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_Escape), down ? True : False,
                    CurrentTime);
  XSync(display, False);
  return Clock::now();
}

// Holds Escape until the program ends, watching for its end about every
// millisecond; the time from the key to the end, or nothing.
std::optional<double> millisecondsToEnd(e2e::Program& program, Display* display) {
  const Clock::time_point pressed = sendEscape(display, true);
  while (program.running() && Clock::now() - pressed < seconds(20)) e2e::pause(milliseconds(1));
  const Clock::time_point ended = Clock::now();
  sendEscape(display, false);
  if (program.waitForExit(milliseconds(0)) != 0) return std::nullopt;
  return millisecondsBetween(pressed, ended);
}

// One start of the program, ended with Escape after its first frame. Under
// Wine the registry file is imported first, outside the time.
std::optional<Run> startAndQuit(const e2e::Screen& screen, Display* keyboard, bool underWine) {
  e2e::Stage stage;
  stage.requestMode(kWidth, kHeight);
  if (underWine) {
    e2e::Program(stage, {"wine", "regedit", "/S", stage.configDir() + "/orbitrand/registry.reg"},
                 stage.dataDir())
        .waitForExit(seconds(60));
  }
  const Clock::time_point start = Clock::now();
  e2e::Program program =
      underWine ? e2e::Program(stage, {"wine", ORBITRAND_WINDOWS_PROGRAM}, stage.dataDir())
                : e2e::Program(stage);
  const auto sighting = waitForFirstFrame(screen, kWidth, kHeight, seconds(60));
  if (!sighting) {
    std::fprintf(stderr, "no first frame within a minute\n%s", program.errorOutput().c_str());
    return std::nullopt;
  }
  // Escape pressed at the very first frame can go unseen; a person lets the
  // first frames pass before reaching for it.
  e2e::pause(seconds(1));
  xdotool("windowfocus --sync " + std::to_string(screen.findWindow("Orbitrand", seconds(5))));
  const std::optional<double> shutdown = millisecondsToEnd(program, keyboard);
  if (!shutdown) {
    std::fprintf(stderr, "the program did not end with code 0 on Escape\n%s",
                 program.errorOutput().c_str());
    return std::nullopt;
  }
  // The frame came between the last look without it and the look that saw
  // it: counted at the middle, within half the gap.
  const double seen = millisecondsBetween(start, sighting->seen);
  const double missed = millisecondsBetween(start, sighting->lastMissed);
  return Run{seen, (missed + seen) / 2, *shutdown};
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

// Starts and quits one build kRuns times and prints its lines.
bool measureStarts(const e2e::Screen& screen, Display* keyboard, bool underWine) {
  std::vector<double> seen, own, watching, shutdown;
  for (int run = 0; run < kRuns; ++run) {
    const std::optional<Run> times = startAndQuit(screen, keyboard, underWine);
    if (!times) return false;
    seen.push_back(times->seen);
    own.push_back(times->own);
    watching.push_back(times->seen - times->own);
    shutdown.push_back(times->shutdown);
  }
  std::printf("%s\n", underWine ? "The Windows build under Wine" : "The Linux build");
  printLine("process start to frame seen", seen);
  printLine("  the program's own", own);
  printLine("  watching the screen adds", watching);
  printLine("Escape to process end", shutdown);
  return true;
}

int measure() {
  const e2e::Screen screen;
  const std::unique_ptr<Display, int (*)(Display*)> keyboard(XOpenDisplay(nullptr), XCloseDisplay);
  if (!keyboard) return 1;
  std::printf("Start-up at %d x %d, %d runs\n", kWidth, kHeight, kRuns);
  std::printf("  %-30s %8s    %s\n", "milliseconds", "median", "each run");
  if (!measureStarts(screen, keyboard.get(), false)) return 1;
  if (std::filesystem::exists(ORBITRAND_WINDOWS_PROGRAM) &&
      !measureStarts(screen, keyboard.get(), true))
    return 1;
  const std::optional<std::vector<double>> sceneSetUp = createSceneMilliseconds();
  if (!sceneSetUp) return 1;
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
