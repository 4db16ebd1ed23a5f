// The whole frame at 800 x 600, on the program's own window and context as
// its start-up makes them (Mesa's software renderer under Xvfb): renderFrame
// against an empty frame that only clears and presents, and the time of each
// of renderFrame's stages. Every frame ends with glFinish, so that its time
// holds the rendering itself and not only the commands.
//
// Each round draws the three kinds of frame one after the other, so that the
// load of a shared machine, which changes from one second to the next, falls
// on all of them alike; the figures are medians over the rounds.
// Run on a virtual display of its own: scripts/with-display.sh build/bench/frame_bench
#include <GL/gl.h>

#include <chrono>
#include <cstdio>
#include <iterator>
#include <vector>

#include "app/frame_clock.h"
#include "app/shutdown.h"
#include "bench/support/spread.h"
#include "bench/support/system_start.h"
#include "platform/testing/testing.h"
#include "render/frame.h"
#include "render/graphics.h"
#include "render/hud.h"
#include "scene/chase_camera.h"
#include "scene/scene_object.h"
#include "scene/star_background.h"
#include "sim/scene_setup.h"
#include "sim/simulation_step.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRounds = 300;
// The share of renderFrame's time that its stages together may take.
// Finishing each stage on its own costs a little, so somewhat more than all
// of it; markedly less, or far more, means that the stages no longer make the
// calls that renderFrame makes.
constexpr double kLeastShare = 0.85;
constexpr double kMostShare = 1.3;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void emptyFrame() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  SwapBuffers(g_deviceContext);
  glFinish();
}

// The calls that renderFrame makes, in its order, in stages that are each
// timed with their drawing finished. They are a second account of the same
// frame, so the summary checks their sum against renderFrame's own time.
struct FrameStage {
  const char* name;
  void (*calls)();
};

const FrameStage kStages[] = {
    {"backdrop",
     [] {
       drawBackdrop();
       glFinish();
     }},
    {"world",
     [] {
       drawWorld();
       glFinish();
     }},
    {"heads-up display",
     [] {
       drawHud();
       glFinish();
     }},
    {"present",
     [] {
       SwapBuffers(g_deviceContext);
       glFinish();
     }},
    {"simulation", advanceWorld},
};
constexpr size_t kStageCount = std::size(kStages);

struct Timings {
  std::vector<double> frame;
  std::vector<double> empty;
  std::vector<double> stages[kStageCount];
  std::vector<double> stagesTogether;
};

void runRound(Timings& timings) {
  Clock::time_point start = Clock::now();
  emptyFrame();
  timings.empty.push_back(millisecondsSince(start));

  start = Clock::now();
  renderFrame();
  glFinish();
  timings.frame.push_back(millisecondsSince(start));

  double together = 0.0;
  for (size_t k = 0; k < kStageCount; ++k) {
    start = Clock::now();
    kStages[k].calls();
    timings.stages[k].push_back(millisecondsSince(start));
    together += timings.stages[k].back();
  }
  timings.stagesTogether.push_back(together);
}

void printLine(const char* name, const std::vector<double>& milliseconds) {
  const Spread spread = spreadOf(milliseconds);
  std::printf("  %-20s %8.3f   %8.3f to %8.3f\n", name, spread.median, spread.lowerQuartile,
              spread.upperQuartile);
}

// The figures; false when the stages do not account for renderFrame's time.
bool printFigures(const Timings& timings) {
  std::printf("%d frames of each kind at %d x %d on %s\n", kRounds, kWidth, kHeight,
              glGetString(GL_RENDERER));
  std::printf("  %-20s %8s   %s\n", "milliseconds", "median", "middle half");
  printLine("renderFrame", timings.frame);
  printLine("empty frame", timings.empty);
  for (size_t k = 0; k < kStageCount; ++k) printLine(kStages[k].name, timings.stages[k]);
  printLine("stages together", timings.stagesTogether);

  const double frame = spreadOf(timings.frame).median;
  std::printf("renderFrame takes %.1f times an empty frame (clear and present)\n",
              frame / spreadOf(timings.empty).median);
  const double share = spreadOf(timings.stagesTogether).median / frame;
  std::printf("the stages together take %.0f%% of renderFrame's time\n", 100.0 * share);
  if (share >= kLeastShare && share <= kMostShare) return true;
  std::printf("that is not renderFrame's frame: its calls and the stages' have parted\n");
  return false;
}

}  // namespace

int main() {
  e2e::Stage stage;
  stage.requestMode(kWidth, kHeight);
  if (!startGraphics(stage) || !createScene()) return 1;
  // A still mouse, so that every frame's input poll does the same work.
  platform::testing::injectCursorPos(kWidth / 2, kHeight / 2);
  startFrameClock();
  // The renderer compiles its shaders on first use: not part of any frame's time.
  for (int frame = 0; frame < 10; ++frame) renderFrame();
  glFinish();

  Timings timings;
  for (int round = 0; round < kRounds; ++round) runRound(timings);
  const bool accounted = printFigures(timings);
  shutdown();
  return accounted ? 0 : 1;
}
