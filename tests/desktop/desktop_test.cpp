// The flight on the desktops people use, each in a session of its own (session.sh): start, a switch
// to another application through the window manager and back, Escape. Full-screen is the window at
// (0, 0) at the mode's size above every panel: on X11 in that mode, showing frames, with no pixel
// of the magenta panels on the screen; on Wayland scaled to the whole output, as the compositor
// logs.
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <regex>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

int panelPixels(const Image& s) {
  return s.count(0, 0, s.width, s.height,
                 [](const uint8_t* p) { return p[0] > 200 && p[1] < 80 && p[2] > 200; });
}

// Requests in the compositor's protocol log: the surface scaled to the output, the scaling ended.
const char kScaled[] = R"(wp_viewport@\d+\.set_destination\(1024, 768\))",
           kUnscaled[] = R"(wp_viewport@\d+\.destroy)";
int logged(const std::string& log, const char* request) {
  std::ifstream file(log);
  int lines = 0;
  for (std::string line; std::getline(file, line);)
    lines += std::regex_search(line, std::regex(request));
  return lines;
}

struct OnDesktop : ::testing::TestWithParam<std::string> {};  // session.sh's name of the desktop

TEST_P(OnDesktop, FullScreenAboveEveryPanelAtStartAndAfterTheReturn) {
  const bool wayland = GetParam() == "mutter_wayland",
             panel = GetParam() == "xfce" || GetParam() == "openbox";
  Stage stage;
  stage.requestMode(800, 600);
  const std::string log = stage.configDir() + "/protocol.log";
  Screen screen("ORBITRAND_PROTOCOL_LOG=" + log + " " ORBITRAND_DESKTOP_SESSION " " + GetParam());
  ASSERT_TRUE(!panel || waitFor([&] { return panelPixels(screen.grab()) > 0; }, 30s));
  const auto desktopMode = screen.mode();
  Program program(stage);
  const unsigned long window = screen.findWindow("Orbitrand", 60s);
  auto fullScreen = [&](int scalings) {
    if (screen.geometry(window) != "800x600+0+0") return false;
    if (wayland) return logged(log, kScaled) == scalings;
    const Image shot = screen.grab();
    return shot.width == 800 && shot.height == 600 && showsFrames(shot) && !panelPixels(shot);
  };
  auto desktopModeBack = [&](int scalingsEnded) {
    return wayland ? logged(log, kUnscaled) == scalingsEnded : screen.mode() == desktopMode;
  };
  EXPECT_TRUE(waitFor([&] { return fullScreen(1); }, 60s))
      << screen.geometry(window) << program.errorOutput();
  // By id: xdotool's search dies when a panel destroys a window while it walks the tree.
  xdotool("windowactivate --sync " + std::to_string(screen.findWindow("Another application")));
  EXPECT_TRUE(waitFor([&] { return desktopModeBack(1) && !screen.geometry(window).empty(); }, 20s));
  xdotool("windowactivate --sync " + std::to_string(window));
  EXPECT_TRUE(waitFor([&] { return fullScreen(2); }, 20s)) << screen.geometry(window);
  EXPECT_EQ(program.endBy("Escape"), 0) << program.errorOutput();  // Escape is polled by the frames
  EXPECT_TRUE(desktopModeBack(2));
}

INSTANTIATE_TEST_SUITE_P(Desktops, OnDesktop,
                         ::testing::Values("xfce", "openbox", "mutter_x11", "mutter_wayland"),
                         [](const auto& info) { return info.param; });

// The person logs out: the session and its X server end during the flight.
// The program ends at once, saying why in one line, and its guard ends too.
TEST(XServer, GoingAwayEndsTheProgramAndItsGuardWithinASecondWithOneLineSayingWhy) {
  Stage stage;
  std::optional<Screen> screen(std::in_place, ORBITRAND_WITH_DISPLAY);
  Program program(stage);
  ASSERT_TRUE(waitFor([&] { return showsFrames(screen->grab()); }, 60s)) << program.errorOutput();
  const std::string pid = std::to_string(program.pid()), display = std::getenv("DISPLAY");
  std::string guard, state;
  ASSERT_TRUE(std::ifstream("/proc/" + pid + "/task/" + pid + "/children") >> guard);
  screen.reset();  // the session ends
  EXPECT_EQ(program.waitForExit(1s), 4);
  auto ended = [&] {
    return !(std::ifstream("/proc/" + guard + "/stat") >> state >> state >> state) || state == "Z";
  };
  EXPECT_TRUE(waitFor(ended, 1s));
  EXPECT_EQ(program.errorOutput(),
            "orbitrand: the X server of display " + display + " went away; ending.\n");
}

}  // namespace
}  // namespace e2e
