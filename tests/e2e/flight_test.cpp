// The built program as a user runs it: start-up, flying, keys, focus changes,
// damaged data files and the ways out, under a virtual X display with real
// input events.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/e2e/hud_layout.h"
#include "tests/e2e/program.h"
#include "tests/support/chunk_writer.h"
#include "tests/support/model_damage.h"

namespace e2e {
namespace {

using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Counts text pixels of one heads-up display line.
int whitePixels(const Image& image, HudLine line) {
  const Box b = hudLine(line, kWidth, kHeight);
  return image.count(b.x0, b.y0, b.x1, b.y1, isWhite);
}

bool sameLine(const Image& a, const Image& b, HudLine line) {
  const Box box = hudLine(line, kWidth, kHeight);
  return a.differences(b, box.x0, box.y0, box.x1, box.y1) == 0;
}

// The star field, away from the Earth in the middle and the text lines.
int starFieldDifferences(const Image& a, const Image& b) {
  return a.differences(b, 0, kHeight / 4, kWidth / 5, kHeight) +
         a.differences(b, kWidth * 4 / 5, kHeight / 4, kWidth, kHeight);
}

// How many of the 49 grid ships show where the chase camera, 0.02 above and
// 0.07 behind the player, sees them: 10 units ahead, half a unit apart.
int gridShipsSeen(const Image& frame) {
  const double focal = 1.0 / std::tan(22.5 * M_PI / 180.0);
  const double aspect = static_cast<double>(kWidth) / kHeight;
  auto differs = [](const uint8_t* a, const uint8_t* b) {
    return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]) > 60;
  };
  int seen = 0;
  for (int i = 0; i < 7; ++i) {
    for (int j = 0; j < 7; ++j) {
      const double depth = 10.0 + 0.07;
      const int x = static_cast<int>((1.0 + focal / aspect * ((3 - i) / 2.0) / depth) / 2.0 * kWidth);
      const int y = static_cast<int>((1.0 - focal * ((3 - j) / 2.0 - 0.02) / depth) / 2.0 * kHeight);
      bool speck = false;
      for (int dy = -2; dy <= 2 && !speck; ++dy)
        for (int dx = -2; dx <= 2 && !speck; ++dx)
          speck = differs(frame.at(x + dx, y + dy), frame.at(x - 8, y)) &&
                  differs(frame.at(x + dx, y + dy), frame.at(x + 8, y));
      seen += speck ? 1 : 0;
    }
  }
  return seen;
}

class Flight : public ::testing::Test {
 protected:
  void SetUp() override { stage.requestMode(kWidth, kHeight); }

  // Starts the program and waits until frames with the heads-up display show.
  void start() {
    program = std::make_unique<Program>(stage);
    ASSERT_NE(screen.findWindow("Orbitrand", seconds(20)), 0u) << program->errorOutput();
    ASSERT_TRUE(screen.waitForFrames(kWidth, kHeight, seconds(60))) << program->errorOutput();
  }

  // A frame some time from now, so that the input just given has been drawn.
  Image settledFrame() {
    pause(milliseconds(700));
    return screen.grab();
  }

  void quit() {
    holdKey("Escape", milliseconds(400));
    EXPECT_EQ(program->waitForExit(seconds(20)), 0) << program->errorOutput();
  }

  Stage stage;
  Screen screen;
  std::unique_ptr<Program> program;
};

TEST_F(Flight, StartsWithTheSplashThenDrawsTheWorldAndTheDisplay) {
  program = std::make_unique<Program>(stage);
  // The splash: white text left of and below the centre, on black.
  bool splash = false;
  const auto end = std::chrono::steady_clock::now() + seconds(20);
  Image frame;
  while (!splash && std::chrono::steady_clock::now() < end) {
    frame = screen.grab();
    const int text = frame.count(kWidth / 2 - 80, kHeight / 2, kWidth / 2, kHeight / 2 + 40, isWhite);
    const int dark = frame.count(0, 0, kWidth, kHeight / 3, isBlack);
    splash = text > 20 && dark > kWidth * kHeight / 3 * 9 / 10;
  }
  frame.savePng(screenshotPath("splash"));
  ASSERT_TRUE(splash) << "no Loading... splash seen";

  ASSERT_TRUE(screen.waitForFrames(kWidth, kHeight, seconds(60))) << program->errorOutput();
  frame = settledFrame();
  frame.savePng(screenshotPath("flight"));
  // Stars in every quarter of the screen, beyond the Earth in the middle.
  auto lit = [](const uint8_t* p) { return p[0] + p[1] + p[2] > 60; };
  EXPECT_GT(frame.count(0, 0, kWidth / 4, kHeight / 2, lit), 20);
  EXPECT_GT(frame.count(kWidth * 3 / 4, 0, kWidth, kHeight / 2, lit), 20);
  EXPECT_GT(frame.count(0, kHeight / 2, kWidth / 4, kHeight, lit), 20);
  EXPECT_GT(frame.count(kWidth * 3 / 4, kHeight / 2, kWidth, kHeight, lit), 20);
  // The player's ship fills the view just below the centre.
  auto hull = [](const uint8_t* p) { return p[0] + p[1] + p[2] > 90; };
  EXPECT_GT(frame.count(kWidth / 2 - 40, kHeight * 3 / 4 - 30, kWidth / 2 + 40, kHeight * 3 / 4 + 30, hull),
            800);
  // The grid of ships ahead: a speck against the Earth at each ship's place.
  EXPECT_GE(gridShipsSeen(frame), 40);
  // Both columns of the display at 4:3, the buffer-object line in green.
  for (HudLine line : {HudLine::Fps, HudLine::Speed, HudLine::Acceleration, HudLine::Mode,
                       HudLine::Thruster, HudLine::Power}) {
    EXPECT_GT(whitePixels(frame, line), 10) << static_cast<int>(line);
  }
  const Box vbo = hudLine(HudLine::Vbo, kWidth, kHeight);
  EXPECT_GT(frame.count(vbo.x0, vbo.y0, vbo.x1, vbo.y1, isGreen), 10);
  quit();
}

TEST_F(Flight, SteeringTurnsTheViewAndThrustChangesTheSpeed) {
  start();
  const Image before = settledFrame();
  xdotool("mousedown 1");
  for (int k = 0; k < 10; ++k) {
    xdotool("mousemove_relative -- 30 0");
    pause(milliseconds(50));
  }
  xdotool("mouseup 1");
  const Image turned = settledFrame();
  EXPECT_GT(starFieldDifferences(before, turned), 1000);

  xdotool("mousedown 1");
  xdotool("mousedown 3");
  pause(milliseconds(800));
  xdotool("mouseup 3");
  xdotool("mouseup 1");
  const Image fired = settledFrame();
  fired.savePng(screenshotPath("after-thrust"));
  EXPECT_FALSE(sameLine(turned, fired, HudLine::Speed));
  quit();
}

TEST_F(Flight, PowerKeysAndThrusterKeysChangeTheirLines) {
  start();
  const Image start = settledFrame();
  holdKey("r", milliseconds(600));
  const Image raised = settledFrame();
  EXPECT_FALSE(sameLine(start, raised, HudLine::Power));
  holdKey("f", milliseconds(600));
  const Image lowered = settledFrame();
  EXPECT_FALSE(sameLine(raised, lowered, HudLine::Power));

  // Thruster keys while the velocity-rotating mode is off select any thruster.
  xdotool("key a");
  const Image port = settledFrame();
  EXPECT_FALSE(sameLine(start, port, HudLine::Thruster));
  xdotool("key s");
  const Image main = settledFrame();
  EXPECT_TRUE(sameLine(start, main, HudLine::Thruster));

  // Tab turns the mode on; then Q leaves the main thruster selected, W selects front.
  xdotool("key Tab");
  const Image active = settledFrame();
  EXPECT_FALSE(sameLine(start, active, HudLine::Mode));
  xdotool("key q");
  EXPECT_TRUE(sameLine(start, settledFrame(), HudLine::Thruster));
  xdotool("key w");
  const Image front = settledFrame();
  EXPECT_FALSE(sameLine(start, front, HudLine::Thruster));
  // Tab again: the mode goes off and the selection stays.
  xdotool("key Tab");
  const Image inactive = settledFrame();
  EXPECT_TRUE(sameLine(start, inactive, HudLine::Mode));
  EXPECT_TRUE(sameLine(front, inactive, HudLine::Thruster));
  xdotool("key e");
  EXPECT_FALSE(sameLine(front, settledFrame(), HudLine::Thruster));
  quit();
}

TEST_F(Flight, FramesStopWhileAnotherWindowHasTheFocus) {
  start();
  const unsigned long window = screen.findWindow("Orbitrand", seconds(1));
  // Keep the ship turning: steer, then hold the button still.
  xdotool("mousedown 1");
  for (int k = 0; k < 5; ++k) {
    xdotool("mousemove_relative -- 20 0");
    pause(milliseconds(50));
  }
  pause(milliseconds(300));
  EXPECT_GT(starFieldDifferences(screen.grab(), settledFrame()), 100) << "not turning";

  screen.openOtherWindow();
  xdotool("windowfocus --sync " + std::to_string(screen.findWindow("other application", seconds(2))));
  pause(milliseconds(500));
  const Image away = screen.grab();
  pause(milliseconds(700));
  EXPECT_EQ(starFieldDifferences(away, screen.grab()), 0) << "frames went on while inactive";

  xdotool("windowfocus --sync " + std::to_string(window));
  pause(milliseconds(500));
  EXPECT_GT(starFieldDifferences(screen.grab(), settledFrame()), 100) << "frames did not resume";
  xdotool("mouseup 1");
  quit();
}

TEST_F(Flight, AltF4EndsTheProgramInOrder) {
  start();
  settledFrame();
  xdotool("keydown alt+F4");
  pause(milliseconds(300));
  xdotool("keyup alt+F4");
  EXPECT_EQ(program->waitForExit(seconds(20)), 0) << program->errorOutput();
}

TEST(StartUp, AModeTheDisplayLacksEndsWithCodeOneAndNoWindow) {
  Stage stage;
  stage.requestMode(1234, 567);
  Screen screen;
  Program program(stage);
  bool window = false;
  const auto end = std::chrono::steady_clock::now() + seconds(20);
  while (program.running() && std::chrono::steady_clock::now() < end) {
    window = window || screen.windowExists("Orbitrand");
    pause(milliseconds(10));
  }
  EXPECT_EQ(program.waitForExit(seconds(1)), 1);
  EXPECT_FALSE(window);
}

TEST(StartUp, AMissingTextureShowsItsErrorAndTheProgramRunsOn) {
  Stage stage;
  stage.requestMode(kWidth, kHeight);
  stage.omit("tex_kesh.bmp");
  Screen screen;
  Program program(stage);
  const unsigned long box = screen.findWindow("Error", seconds(30));
  ASSERT_NE(box, 0u) << program.errorOutput();
  screen.grab().savePng(screenshotPath("missing-texture"));
  EXPECT_NE(program.errorOutput().find("Failed to open DIB file tex_kesh.bmp.\n"), std::string::npos)
      << program.errorOutput();
  pause(milliseconds(500));
  EXPECT_TRUE(program.running());
  xdotool("windowfocus --sync " + std::to_string(box));
  xdotool("key Return");
  const auto end = std::chrono::steady_clock::now() + seconds(30);
  while (screen.windowExists("Error") && std::chrono::steady_clock::now() < end) pause(milliseconds(50));
  EXPECT_FALSE(screen.windowExists("Error"));
  // Frames follow: the display's right column is drawn.
  bool frames = false;
  while (!frames && std::chrono::steady_clock::now() < end) {
    frames = whitePixels(screen.grab(), HudLine::Power) > 10;
    pause(milliseconds(100));
  }
  EXPECT_TRUE(frames);
  holdKey("Escape", milliseconds(400));
  EXPECT_EQ(program.waitForExit(seconds(20)), 0) << program.errorOutput();
}

// A generated model file with one kind of damage that, read unchecked,
// crashes lib3ds or keeps it busy for minutes.
struct DamagedModel {
  const char* file;
  const char* damage;
};

// Names the run in the test's output.
void PrintTo(const DamagedModel& model, std::ostream* out) { *out << model.file; }

std::vector<uint8_t> damagedBytes(const DamagedModel& model) {
  std::ifstream in(std::string(ORBITRAND_DATA_DIR) + "/" + model.file, std::ios::binary);
  ChunkWriter bytes = ChunkWriter::parse({std::istreambuf_iterator<char>(in), {}});
  const std::vector<ModelDamage>& damages = modelDamages();
  const auto damage = std::find_if(damages.begin(), damages.end(), [&](const ModelDamage& d) {
    return std::string(d.name) == model.damage;
  });
  if (damage == damages.end()) {
    ADD_FAILURE() << "no damage named " << model.damage;
    return {};
  }
  damage->apply(bytes);
  return bytes.bytes;
}

class DamagedModelFile : public Flight, public ::testing::WithParamInterface<DamagedModel> {};

TEST_P(DamagedModelFile, TheRestIsDrawnAndEscapeEndsWithCodeZero) {
  stage.replace(GetParam().file, damagedBytes(GetParam()));
  start();
  EXPECT_TRUE(program->running());
  const Image frame = settledFrame();
  frame.savePng(screenshotPath(std::string("damaged-") + GetParam().file));
  // The star field below the display's left column, and the display.
  auto lit = [](const uint8_t* p) { return p[0] + p[1] + p[2] > 60; };
  EXPECT_GT(frame.count(0, kHeight / 8, kWidth / 4, kHeight / 2, lit), 20);
  for (HudLine line : {HudLine::Fps, HudLine::Speed, HudLine::Acceleration, HudLine::Mode,
                       HudLine::Thruster, HudLine::Power}) {
    EXPECT_GT(whitePixels(frame, line), 10) << static_cast<int>(line);
  }
  quit();
}

INSTANTIATE_TEST_SUITE_P(
    EachModel, DamagedModelFile,
    ::testing::Values(DamagedModel{"kesh.3ds", "a face index equal to the point count"},
                      DamagedModel{"ship.3ds", "a material group naming a face past the list"},
                      DamagedModel{"earth.3ds", "an absurd key count"},
                      DamagedModel{"moon.3ds", "a file cut off half-way"}),
    [](const ::testing::TestParamInfo<DamagedModel>& info) {
      const std::string file = info.param.file;
      return file.substr(0, file.find('.'));
    });

}  // namespace
}  // namespace e2e
