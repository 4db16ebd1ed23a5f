// One simulation step of the 52-body initial world, without drawing: gravity,
// the flight-input poll, the flight assists and the integration of every body.
#include <benchmark/benchmark.h>

#include "app/display_settings.h"
#include "platform/testing.h"
#include "sim/ship_controller.h"
#include "sim/simulation_step.h"
#include "sim/world_layout.h"
#include "tests/support/test_world.h"

namespace {

void StepSimulation(benchmark::State& state) {
  TestWorld world;
  Body& player = world.add(playerStart(), kShipMass.mantissa, kShipMass.exponent);
  for (int i = 0; i < kGridSide; ++i)
    for (int j = 0; j < kGridSide; ++j)
      world.add(gridShipStart(i, j), kShipMass.mantissa, kShipMass.exponent);
  world.add(earthStart(), kEarthMass.mantissa, kEarthMass.exponent).angularVelocity[1] = kEarthSpin;
  world.add(moonStart(), kMoonMass.mantissa, kMoonMass.exponent);
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
