// Memory over a long flight at 800 x 600: the program's resident size after
// 10 s and after 60 s of flying, steered, thrusting and switching under a
// script of real input events. Nothing is allocated per frame, so the size
// must hold: the exit code is 1 when it grew by more than kToleranceKb.
// Run on a virtual display of its own: scripts/with-display.sh build/bench/memory_bench
#include <sys/types.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iterator>
#include <string>

#include "bench/support/first_frame.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using std::chrono::seconds;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
// Between the two readings the program still touches some memory for the
// first time (about half a megabyte here, settled by 30 s); a leak of a few
// hundred bytes a frame goes past this.
constexpr long kToleranceKb = 1024;

// VmRSS from /proc/<pid>/status, in kilobytes; -1 when there is none.
long residentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return -1;
}

void fire(milliseconds time) {
  xdotool("mousedown 1");
  xdotool("mousedown 3");
  e2e::pause(time);
  xdotool("mouseup 3");
  xdotool("mouseup 1");
}

void steer(const char* motion, int times) {
  for (int k = 0; k < times; ++k) {
    xdotool(std::string("mousemove_relative -- ") + motion);
    e2e::pause(milliseconds(50));
  }
}

// The flight, short steps taken in turn over and over: turns and a roll
// (releasing the button stabilises), thrust with the main and the front
// thruster at rising power, and the velocity-rotating mode on and off.
void (*const kFlight[])() = {
    [] {
      xdotool("mousedown 1");
      steer("25 0", 8);
      steer("0 -15", 6);
      xdotool("mouseup 1");
    },
    [] {
      xdotool("mousedown 1 mousedown 2");
      steer("20 0", 6);
      xdotool("mouseup 2 mouseup 1");
    },
    [] { xdotool("keydown r sleep 0.2 keyup r"); },
    [] {
      xdotool("key s");
      fire(milliseconds(600));
    },
    [] { xdotool("key Tab"); },
    [] {
      xdotool("key w");
      fire(milliseconds(600));
    },
    [] { e2e::pause(milliseconds(500)); },
};

// Takes the flight's steps, going on from the last one taken, until the time.
void flyUntil(Clock::time_point end, size_t& step) {
  while (Clock::now() < end) kFlight[step++ % std::size(kFlight)]();
}

double secondsBetween(Clock::time_point start, Clock::time_point end) {
  return std::chrono::duration<double>(end - start).count();
}

int measure() {
  const e2e::Screen screen;
  e2e::Stage stage;
  stage.requestMode(kWidth, kHeight);
  e2e::Program program(stage);
  const auto sighting = waitForFirstFrame(screen, kWidth, kHeight, seconds(60));
  if (!sighting) {
    std::fprintf(stderr, "no first frame within a minute\n%s", program.errorOutput().c_str());
    return 1;
  }
  const long atStart = residentKb(program.pid());
  size_t step = 0;
  flyUntil(sighting->seen + seconds(10), step);
  const Clock::time_point early = Clock::now();
  const long afterTen = residentKb(program.pid());
  flyUntil(sighting->seen + seconds(60), step);
  const Clock::time_point late = Clock::now();
  const long afterSixty = residentKb(program.pid());
  xdotool("keydown Escape sleep 0.4 keyup Escape");
  const int exitCode = program.waitForExit(seconds(20));

  std::printf("Resident size of the program in flight at %d x %d, kB\n", kWidth, kHeight);
  std::printf("  at the first frame  %8ld\n", atStart);
  std::printf("  after %4.1f s        %8ld\n", secondsBetween(sighting->seen, early), afterTen);
  std::printf("  after %4.1f s        %8ld\n", secondsBetween(sighting->seen, late), afterSixty);
  std::printf("  growth              %8ld (tolerance %ld)\n", afterSixty - afterTen, kToleranceKb);
  if (afterTen < 0 || afterSixty < 0 || exitCode != 0) {
    std::fprintf(stderr, "the program did not fly the whole minute and end with code 0\n%s",
                 program.errorOutput().c_str());
    return 1;
  }
  return afterSixty - afterTen > kToleranceKb ? 1 : 0;
}

}  // namespace

int main() {
  try {
    return measure();
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
