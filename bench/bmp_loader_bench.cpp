// Decoding the generated textures with loadBmpImage: time per file and
// pixels per second, for each encoding the data files use.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "image/bmp_loader.h"

namespace {

void decode(benchmark::State& state, const char* name) {
  const std::string path = std::string(ORBITRAND_DATA_DIR) + "/" + name;
  if (access(path.c_str(), R_OK) != 0) {
    state.SkipWithError(("no " + path + ": the build generates it").c_str());
    return;
  }
  int64_t pixels = 0;
  for (auto _ : state) {
    RgbImage* image = loadBmpImage(path.c_str());
    pixels += int64_t(image->width) * image->height;
    std::free(image->data);
    std::free(image);
  }
  state.counters["pixels/s"] = benchmark::Counter(double(pixels), benchmark::Counter::kIsRate);
}

BENCHMARK_CAPTURE(decode, earth_24bit_1024x512, "earth.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, stars_8bit_1024x1024, "stars2.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, moon_8bit_core_512x256, "moon.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, fighter_24bit_512x512, "tex_kesh.bmp")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(decode, escort_4bit_256x256, "ship_tex.bmp")->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
