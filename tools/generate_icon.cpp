// Paints the program's icon: the generated Earth seen from space, lit from the
// upper left, with the Moon beside it, on a transparent square. Writes
// <folder>/<size>x<size>/orbitrand.png for every size given.
#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/textures.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr int kSamples = 4;  // per pixel and axis, for smooth edges

struct Disc {
  double x, y, radius;  // in units of the icon's side, y downwards
  double turn;          // longitude facing the viewer, in degrees
};

const Disc kEarth{0.43, 0.57, 0.40, 300};
const Disc kMoon{0.82, 0.19, 0.14, 0};

struct Rgba {
  double r = 0, g = 0, b = 0, a = 0;
};

// The colour of an equirectangular map at a unit direction (x right, y up,
// z towards the viewer), turned about the polar axis.
template <typename Lookup>
Rgba onSphere(double x, double y, double z, double turn, int width, int height, Lookup lookup) {
  const double longitude = std::fmod(std::atan2(x, z) * 180.0 / kPi + turn + 720.0, 360.0);
  const double latitude = std::asin(std::clamp(y, -1.0, 1.0)) * 180.0 / kPi;
  const int column = std::min(width - 1, static_cast<int>(longitude / 360.0 * width));
  const int row = std::min(height - 1, static_cast<int>((latitude + 90.0) / 180.0 * height));
  // Lit from the upper left and a little from the front.
  const double light = std::max(0.0, (-0.55 * x + 0.55 * y + 0.63 * z));
  const Rgba c = lookup(column, row);
  const double shade = 0.12 + 0.88 * light;
  return {c.r * shade, c.g * shade, c.b * shade, 1};
}

class Icon {
 public:
  Icon() : earth_(earthTexture(512, 256)), moon_(moonTexture(256, 128)) {}

  // One sample at (u, v) in units of the side: the Moon behind the Earth.
  Rgba at(double u, double v) const {
    const Rgba earth = sample(kEarth, u, v, earth_.width, earth_.height, [&](int x, int y) {
      const uint8_t* p = earth_.at(x, y);
      return Rgba{double(p[0]), double(p[1]), double(p[2]), 1};
    });
    if (earth.a > 0) return earth;
    return sample(kMoon, u, v, moon_.width, moon_.height, [&](int x, int y) {
      const uint32_t p = moon_.palette[moon_.indices[size_t(y) * moon_.width + x]];
      return Rgba{double(p >> 16 & 255), double(p >> 8 & 255), double(p & 255), 1};
    });
  }

 private:
  // The disc's map of the given size at (u, v), or nothing outside the disc.
  template <typename Lookup>
  static Rgba sample(const Disc& disc, double u, double v, int width, int height, Lookup lookup) {
    const double x = (u - disc.x) / disc.radius;
    const double y = (disc.y - v) / disc.radius;
    const double squared = x * x + y * y;
    if (squared > 1.0) return {};
    return onSphere(x, y, std::sqrt(1.0 - squared), disc.turn, width, height, lookup);
  }

  Picture earth_;
  IndexedPicture moon_;
};

bool writePng(const std::string& path, int size, const std::vector<uint8_t>& rgba) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png ? png_create_info_struct(png) : nullptr;
  bool ok = false;
  if (png && info && !setjmp(png_jmpbuf(png))) {
    png_init_io(png, file);
    png_set_IHDR(png, info, size, size, 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < size; ++y) png_write_row(png, &rgba[size_t(y) * size * 4]);
    png_write_end(png, nullptr);
    ok = true;
  }
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0 && ok;
}

// Averages kSamples x kSamples samples per pixel, colours weighted by coverage.
std::vector<uint8_t> paint(const Icon& icon, int size) {
  std::vector<uint8_t> rgba(size_t(size) * size * 4);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Rgba sum;
      for (int sy = 0; sy < kSamples; ++sy)
        for (int sx = 0; sx < kSamples; ++sx) {
          const Rgba c =
              icon.at((x + (sx + 0.5) / kSamples) / size, (y + (sy + 0.5) / kSamples) / size);
          sum = {sum.r + c.r * c.a, sum.g + c.g * c.a, sum.b + c.b * c.a, sum.a + c.a};
        }
      uint8_t* out = &rgba[(size_t(y) * size + x) * 4];
      const double cover = std::max(sum.a, 1e-9);
      out[0] = uint8_t(std::lround(std::clamp(sum.r / cover, 0.0, 255.0)));
      out[1] = uint8_t(std::lround(std::clamp(sum.g / cover, 0.0, 255.0)));
      out[2] = uint8_t(std::lround(std::clamp(sum.b / cover, 0.0, 255.0)));
      out[3] = uint8_t(std::lround(255.0 * sum.a / (kSamples * kSamples)));
    }
  }
  return rgba;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <folder> <size>...\n", argv[0]);
    return 2;
  }
  const Icon icon;
  for (int k = 2; k < argc; ++k) {
    const int size = std::atoi(argv[k]);
    const std::string folder = std::string(argv[1]) + "/" + argv[k] + "x" + argv[k];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (size < 16 || size > 1024 || error ||
        !writePng(folder + "/orbitrand.png", size, paint(icon, size))) {
      std::fprintf(stderr, "%s: could not write the %s-pixel icon into %s\n", argv[0], argv[k],
                   argv[1]);
      return 1;
    }
  }
  return 0;
}
