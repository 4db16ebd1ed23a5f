// The built program run as a user runs it: in a folder of data files, with a registry file of its
// own, on the test's X display; and what the user sees of it: the screen, read from the X server.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/xdotool.h"

typedef struct _XDisplay Display;  // Xlib's connection

namespace e2e {

using namespace std::literals;  // 60s, "text"s in the harness and its tests

struct Image {
  int width = 0, height = 0;
  std::vector<uint8_t> rgb;  // top row first

  const uint8_t* at(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
  // Pixels of the rectangle [x0, x1) x [y0, y1) for which the test holds.
  template <typename Test>
  int count(int x0, int y0, int x1, int y1, Test test) const {
    int n = 0;
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) n += test(at(x, y)) ? 1 : 0;
    return n;
  }
  void savePng(const std::string& path) const;
};

inline bool isWhite(const uint8_t* p) { return p[0] > 200 && p[1] > 200 && p[2] > 200; }
inline bool isBlack(const uint8_t* p) { return p[0] < 8 && p[1] < 8 && p[2] < 8; }
// Frames are drawn: the heads-up display's right column (speed to power), at any size, holds text.
bool showsFrames(const Image& screen);

inline void pause(std::chrono::milliseconds time) { std::this_thread::sleep_for(time); }

// Whether the condition came to hold within the limit, looked at every 50 ms.
template <typename Condition>
bool waitFor(Condition condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  for (;; pause(50ms)) {
    if (condition()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
  }
}

// A folder with the data files the build generated, and a registry file asking for a display mode.
class Stage {
 public:
  Stage();
  ~Stage();
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  void omit(const std::string& dataFile);
  void replace(const std::string& dataFile, const std::vector<uint8_t>& bytes);
  void requestMode(int width, int height);
  std::string dataDir() const { return root_ + "/data"; }
  std::string configDir() const { return root_ + "/config"; }

 private:
  std::string root_;
};

class Program {
 public:
  // The built program, started in the stage's data folder.
  explicit Program(const Stage& stage);
  // A command line started in a folder of the stage's: Wine in the data
  // folder, or an installed launcher, which finds the data files itself.
  Program(const Stage& stage, const std::vector<std::string>& command, const std::string& folder);
  ~Program();  // kills the program if it still runs
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool running();
  // The exit code, or -1 while the program runs on.
  int waitForExit(std::chrono::milliseconds limit);
  // Keys held, as a person holds them, until the program ends however slow its frames; the code.
  int endBy(const std::string& keys);
  std::string errorOutput() const;  // its standard error so far
  pid_t pid() const { return pid_; }

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
  std::string errorFile_;
};

// The X display the tests run on; or, given a session command, a display of the test's own that
// the command starts and keeps while this lives: scripts/with-display.sh, or
// tests/desktop/session.sh, which runs the command put after it there.
class Screen {
 public:
  explicit Screen(const std::string& session = "");
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  Image grab() const;
  // Only [x0, x1) x [y0, y1): quick enough to watch a line every millisecond.
  Image grab(int x0, int y0, int x1, int y1) const;
  std::pair<int, int> mode() const;  // the display mode: the screen's size
  // The window of that exact name, or 0; waits up to the limit for it.
  unsigned long findWindow(const std::string& name, std::chrono::milliseconds limit = {}) const;
  // Where the window shows, as "800x600+0+0"; empty while it is not viewable.
  std::string geometry(unsigned long window) const;

 private:
  struct Area {
    int x0, y0, x1, y1;
  };
  Image grab(std::optional<Area> area) const;  // none: the whole screen

  FILE* ownDisplay_ = nullptr;  // that display ends when this closes
  std::string previousDisplay_;
  Display* display_ = nullptr;
};

// Where a screenshot of that name goes, for a person to look at.
std::string screenshotPath(const std::string& name);

}  // namespace e2e
