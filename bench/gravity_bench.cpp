// The all-pairs gravity pass: the 52 bodies of the initial world, and larger
// random worlds, against the plain evaluation of the same law (one log10 and
// three pow per pair). Prints the time per pass and per pair.
#include <benchmark/benchmark.h>

#include <random>

#include "tests/support/naive_gravity.h"
#include "tests/support/test_world.h"

namespace {

void randomWorld(TestWorld& world, int count) {
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> coordinate(-3000, 3000);
  for (int i = 0; i < count; ++i) {
    world.add({coordinate(random), coordinate(random), coordinate(random)}, 0.2f, 9);
  }
}

template <bool Plain>
void run(benchmark::State& state, TestWorld& world) {
  const double n = static_cast<double>(world.size());
  for (auto _ : state) {
    if (Plain) {
      naive::applyGravity(g_bodies);
    } else {
      applyGravity();
    }
    benchmark::DoNotOptimize(g_bodies->acceleration);
  }
  state.counters["pairs"] = n * (n - 1) / 2;
  state.counters["per_pair"] = benchmark::Counter(
      n * (n - 1) / 2, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

template <bool Plain>
void InitialWorld(benchmark::State& state) {
  TestWorld world;
  world.addInitialWorld();
  run<Plain>(state, world);
}

template <bool Plain>
void RandomWorld(benchmark::State& state) {
  TestWorld world;
  randomWorld(world, static_cast<int>(state.range(0)));
  run<Plain>(state, world);
}

BENCHMARK(InitialWorld<false>)
    ->Name("applyGravity/initial_world_52")
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(InitialWorld<true>)->Name("plain_law/initial_world_52")->Unit(benchmark::kMicrosecond);
BENCHMARK(RandomWorld<false>)
    ->Name("applyGravity/random")
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(RandomWorld<true>)
    ->Name("plain_law/random")
    ->Arg(200)
    ->Arg(1000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
