// The heads-up display's share of a frame: formatting its seven lines, and
// drawing them through the glyph lists (on Mesa's software renderer under
// Xvfb, glFinish included); and building the font once at start-up.
// Run on a virtual display of its own: scripts/with-display.sh build/bench/hud_bench
#include <GL/glu.h>
#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdio>

#include "app/display_settings.h"
#include "app/frame_clock.h"
#include "render/font.h"
#include "render/graphics.h"
#include "render/hud.h"
#include "sim/body.h"
#include "sim/ship_controller.h"

namespace {

// An 800 x 600 window whose context is set up as start-up leaves it, with
// the font's device context a memory one, and a ship in flight.
struct Stage {
  Stage() {
    SDL_Init(SDL_INIT_VIDEO);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 16);
    window = SDL_CreateWindow("hud bench", 0, 0, 800, 600, SDL_WINDOW_OPENGL);
    context = window ? SDL_GL_CreateContext(window) : nullptr;
    g_display = {800, 600, 32, 60};
    g_deviceContext = CreateCompatibleDC(nullptr);
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    gluPerspective(45.0, 800.0 / 600.0, 0.01f, 1500000.0);
    glMatrixMode(GL_MODELVIEW);
    body.velocity = {0.05, 0.2, -1.3};
    body.acceleration = {1e-4, -2e-5, 3e-6};
    g_controller = &controller;
    g_fps = 60;
    g_vbo.supported = true;
  }
  ~Stage() {
    g_controller = nullptr;
    DeleteDC(g_deviceContext);
    if (context) SDL_GL_DeleteContext(context);
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
  }
  SDL_Window* window = nullptr;
  SDL_GLContext context = nullptr;
  Body body{0.2f, 9, 0.2f, 9};
  ShipController controller{nullptr, &body};
};

void FormatHudLines(benchmark::State& state) {
  char text[kHudLineSize];
  for (auto _ : state) {
    for (int line = 0; line < kHudLineCount; ++line) {
      formatHudLine(static_cast<HudLine>(line), text, sizeof text);
      benchmark::DoNotOptimize(text);
    }
  }
}
BENCHMARK(FormatHudLines)->Unit(benchmark::kMicrosecond);

void DrawHud(benchmark::State& state) {
  buildFont();
  for (auto _ : state) {
    drawHud();
    glFinish();
  }
  glDeleteLists(HudFont, 96);
}
BENCHMARK(DrawHud)->Unit(benchmark::kMicrosecond);

void BuildFont(benchmark::State& state) {
  for (auto _ : state) {
    buildFont();
    glFinish();
    state.PauseTiming();
    glDeleteLists(HudFont, 96);
    state.ResumeTiming();
  }
}
BENCHMARK(BuildFont)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  const Stage stage;
  if (!stage.context) {
    std::fprintf(stderr, "hud_bench: no OpenGL context (%s)\n", SDL_GetError());
    return 1;
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
