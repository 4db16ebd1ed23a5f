// One simulation step of the 52-body initial world, without drawing: gravity,
// the flight-input poll, the flight assists and the integration of every body.
#include <benchmark/benchmark.h>

#include "app/display_settings.h"
#include "platform/testing/testing.h"
#include "sim/ship_controller.h"
#include "sim/simulation_step.h"
#include "tests/support/test_world.h"

namespace {

void StepSimulation(benchmark::State& state) {
  TestWorld world;
  world.addInitialWorld();
  Body& player = world.body(0);
  ShipController controller(player.sceneObject, &player);
  g_controller = &controller;
  g_display = {800, 600, 32, 60};
  // The pilot steers with the left button held, so every stage does its work.
  platform::testing::injectCursorPos(400, 300);
  platform::testing::injectKeyState(VK_LBUTTON, true);
  for (auto _ : state) {
    stepSimulation(1.0f / 60.0f);
    benchmark::DoNotOptimize(player.velocity);
  }
  g_controller = nullptr;
}

BENCHMARK(StepSimulation)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
