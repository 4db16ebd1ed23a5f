// The data files that the scene set-up opens by name from the working
// folder: each kind of body's model and its texture, and the star field.
// tools/generate_data writes exactly these, and the build takes its list of
// them from this header for the install, the packages and the tests.
#pragma once

struct ModelFiles {
  const char* model;    // 3DS
  const char* texture;  // BMP
};

constexpr ModelFiles kPlayerShipFiles = {"kesh.3ds", "tex_kesh.bmp"};
constexpr ModelFiles kGridShipFiles = {"ship.3ds", "ship_tex.bmp"};
constexpr ModelFiles kEarthFiles = {"earth.3ds", "earth.bmp"};
constexpr ModelFiles kMoonFiles = {"moon.3ds", "moon.bmp"};
constexpr const char* kStarFieldFile = "stars2.bmp";
