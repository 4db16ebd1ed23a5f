// Writes the nine data files of the program into the folder given on the
// command line: the four models and the five textures, all from code and the
// same on every run.
#include <cstdio>
#include <string>

#include "sim/data_files.h"
#include "tools/bmp_writer.h"
#include "tools/meshes.h"
#include "tools/model_writer.h"
#include "tools/textures.h"

namespace {

// Radii in world units of 127.4 km: the Earth's 6371 km and the Moon's 1737.4 km.
constexpr float kEarthRadius = 6371.0f / 127.4f;
constexpr float kMoonRadius = 1737.4f / 127.4f;

const HullStyle kFighterStyle{11, {168, 172, 180}, {196, 46, 36}, 0.62, 16, 12};
const HullStyle kEscortStyle{23, {150, 140, 118}, {232, 170, 40}, 0.3, 10, 10};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = std::string(argv[1]) + "/";
  bool ok = true;
  ok &= write3ds(folder + kPlayerShipFiles.model, "kesh", fighter());
  ok &= writeBmp24(folder + kPlayerShipFiles.texture, hullTexture(512, kFighterStyle));
  ok &= write3ds(folder + kGridShipFiles.model, "ship", escort());
  ok &= writeBmpIndexed(folder + kGridShipFiles.texture,
                        quantize(hullTexture(256, kEscortStyle), hullPalette(kEscortStyle)), 4);
  ok &= write3ds(folder + kEarthFiles.model, "earth", globe(kEarthRadius, 64, 32));
  ok &= writeBmp24(folder + kEarthFiles.texture, earthTexture(1024, 512));
  ok &= write3ds(folder + kMoonFiles.model, "moon", globe(kMoonRadius, 48, 24));
  ok &= writeBmpCore8(folder + kMoonFiles.texture, moonTexture(512, 256));
  ok &= writeBmpIndexed(folder + kStarFieldFile, starTexture(1024), 8);
  if (!ok) std::fprintf(stderr, "%s: could not write the data files into %s\n", argv[0], argv[1]);
  return ok ? 0 : 1;
}
