// The built program as a user runs it, under a virtual X display with real input events: one flight
// through start-up, keys, steering and Escape, and short runs for each way a start can go wrong.
// Every check waits for a state that lasts, never for a moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "tests/e2e/hud_layout.h"
#include "tests/e2e/program.h"
#include "tests/support/model_damage.h"

namespace e2e {
namespace {

constexpr int kWidth = 800, kHeight = 600;

// Whether a line's text is the same in both: its white pixels, from the
// capitals' height down, clear of the line above.
bool sameLine(const Image& a, const Image& b, HudLine line) {
  const Box box = hudLine(line, kWidth, kHeight);
  return a.count(box.x0, box.y0 + 6, box.x1, box.y1, [&](const uint8_t* p) {
    return isWhite(p) != isWhite(b.rgb.data() + (p - a.rgb.data()));
  }) == 0;
}

// The splash: "Loading..." in white from its raster point (-5, -1), and no
// other white from its rows down. (A message box stands higher.)
bool showsSplash(const Image& s) {
  const Box text = textBox(-5, -1, s.width, s.height);
  const int white = s.count(text.x0, text.y0, text.x1, text.y1, isWhite);
  return white > 20 && s.count(0, text.y0, s.width, s.height, isWhite) == white;
}

bool lit(const uint8_t* p) { return p[0] + p[1] + p[2] > 60; }
bool showsStars(const Image& frame) {
  return frame.count(0, kHeight / 8, kWidth / 4, kHeight / 2, lit) > 20;
}

// Pixels of the star field, away from the Earth in the middle and the text
// lines, that differ between two pictures of the same size.
int starFieldDifferences(const Image& a, const Image& b) {
  auto differs = [&](const uint8_t* p) {
    return !std::equal(p, p + 3, b.rgb.data() + (p - a.rgb.data()));
  };
  return a.count(0, kHeight / 4, kWidth / 5, kHeight, differs) +
         a.count(kWidth * 4 / 5, kHeight / 4, kWidth, kHeight, differs);
}

// How many of the 49 grid ships show where the chase camera, 0.02 above and
// 0.07 behind the player, sees them: 10 units ahead, half a unit apart.
int gridShipsSeen(const Image& frame) {
  const double pixelsPerUnit = kHeight / 2.0 / std::tan(22.5 * M_PI / 180.0) / 10.07;
  auto differs = [](const uint8_t* a, const uint8_t* b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 60;
  };
  int seen = 0;
  for (int ship = 0; ship < 49; ++ship) {
    const int x = int(kWidth / 2.0 + pixelsPerUnit * (3 - ship % 7) / 2.0);
    const int y = int(kHeight / 2.0 - pixelsPerUnit * ((3 - ship / 7) / 2.0 - 0.02));
    seen += frame.count(x - 2, y - 2, x + 3, y + 3, [&](const uint8_t* p) {
      return differs(p, frame.at(x - 8, y)) && differs(p, frame.at(x + 8, y));
    }) > 0;
  }
  return seen;
}

struct Run : ::testing::Test {
  Run() { stage.requestMode(kWidth, kHeight); }
  Stage stage;
  Screen screen;
};

TEST_F(Run, Flight) {
  Program program(stage);
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, 60s)) << program.errorOutput();

  const Image start = screen.grab();
  start.savePng(screenshotPath("flight"));
  EXPECT_TRUE(showsStars(start));
  EXPECT_GE(gridShipsSeen(start), 40);  // where the chase camera sees them
  // Thrust changes the acceleration, a held key the power, a pressed one the thruster or the mode
  // (the window procedure's own test goes through every key). Each input is held until a frame
  // shows it, however slow the frames are, so that the next starts from its result.
  const struct {
    const char *press, *release;
    HudLine line;
  } inputs[] = {{"mousedown 1 mousedown 3", "mouseup 3 mouseup 1", kAccelerationLine},
                {"keydown r", "keyup r", kPowerLine},
                {"key a", "", kThrusterLine},
                {"key Tab", "", kVelocityRotatingLine}};
  for (const auto& input : inputs) {
    const Image before = screen.grab();
    xdotool(input.press);
    EXPECT_TRUE(waitFor([&] { return !sameLine(before, screen.grab(), input.line); }, 20s))
        << input.press;
    if (*input.release) xdotool(input.release);
  }

  // Steering turns the ship, which turns on while the button is held: the
  // stars sweep past. (Switching away and back is the desktop tests'.)
  xdotool("mousedown 1");
  for (int k = 0; k < 10; ++k) xdotool("mousemove_relative -- 30 -10 sleep 0.05");
  const Image first = screen.grab();
  EXPECT_TRUE(waitFor([&] { return starFieldDifferences(first, screen.grab()) > 1000; }, 20s))
      << "not turning";
  xdotool("mouseup 1");

  EXPECT_EQ(program.endBy("Escape"), 0) << program.errorOutput();
  EXPECT_EQ(screen.mode().first, 1024) << "the desktop mode is back";
}

// Every model file damaged in a way that, read unchecked, crashes lib3ds or keeps it busy for
// minutes, and the player's texture missing: its error shows over the splash, which stays while the
// box holds up the scene set-up; the rest is drawn once it is dismissed, and Alt+F4 ends the run.
TEST_F(Run, DamagedModelsAndAMissingTexture) {
  const std::pair<const char*, const char*> models[] = {
      {"kesh.3ds", "a face index equal to the point count"},
      {"ship.3ds", "a material group naming a face past the list"},
      {"earth.3ds", "an absurd key count"},
      {"moon.3ds", "a file cut off half-way"}};
  for (const auto& [file, damage] : models) {
    std::ifstream in(std::string(ORBITRAND_DATA_DIR) + "/" + file, std::ios::binary);
    std::vector<uint8_t> bytes(std::istreambuf_iterator<char>(in), {});
    damageModel(damage, bytes);
    stage.replace(file, bytes);
  }
  stage.omit("tex_kesh.bmp");
  Program program(stage);
  const unsigned long box = screen.findWindow("Error", 60s);
  ASSERT_NE(box, 0u) << program.errorOutput();
  Image splash;
  EXPECT_TRUE(waitFor(
      [&] { return (splash = screen.grab()).width == kWidth && showsSplash(splash); }, 10s));
  splash.savePng(screenshotPath("missing-texture"));
  EXPECT_NE(program.errorOutput().find("Failed to open DIB file tex_kesh.bmp.\n"),
            std::string::npos);
  xdotool("windowfocus --sync " + std::to_string(box) + " key Return");
  EXPECT_TRUE(waitFor([&] { return !screen.findWindow("Error"); }, 30s));
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen.grab()); }, 60s)) << program.errorOutput();
  const Image frame = screen.grab();
  frame.savePng(screenshotPath("damaged-models"));
  EXPECT_TRUE(showsStars(frame));
  EXPECT_EQ(program.endBy("alt+F4"), 0) << program.errorOutput();
}

// That it opens no window, the window's own test shows.
TEST_F(Run, AModeTheDisplayLacksEndsWithCodeOne) {
  stage.requestMode(1234, 567);
  Program program(stage);
  EXPECT_EQ(program.waitForExit(30s), 1) << program.errorOutput();
}

}  // namespace
}  // namespace e2e
