// The message trace (tools/message_trace.cpp) run on the stand-in and under Wine through the same
// steps. Where the two differ in what Orbitrand could notice, the stand-in is wrong.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/program.h"

namespace e2e {
namespace {

// Start-up, the focus away and back, A pressed and released, Alt+F4.
std::string runTrace(const std::vector<std::string>& command) {
  Stage stage;
  Screen screen;
  Program program(stage, command, stage.dataDir());
  const bool ready =
      waitFor([&] { return program.errorOutput().find("\nready") != std::string::npos; }, 60s);
  const unsigned long window = screen.findWindow("Message trace", 5s);
  if (!ready || !window) return "not started\n" + program.errorOutput();
  // Back by a click as well: Wine takes the focus back to its unmanaged
  // window only from the pointer.
  const std::string focus = "windowfocus --sync " + std::to_string(window);
  for (const std::string& step : {focus, "search --maxdepth 0 --name '' windowfocus --sync"s, focus,
                                  "mousemove 200 200 click 1"s, "keydown a sleep 0.2 keyup a"s,
                                  focus, "keydown alt+F4 sleep 0.2 keyup alt+F4"s})
    xdotool(step + " sleep 0.5");
  program.waitForExit(30s);
  return program.errorOutput();
}

// The lines that Orbitrand could tell apart: what the calls return, and the messages its window
// procedure acts on, and the window's end. WM_SETCURSOR is left out, as when it comes depends on
// the pointer's path; the messages it leaves to DefWindowProcA (activation, focus, characters,
// sizing, painting) differ between the two and cannot matter to it.
std::string noticeable(const std::string& trace) {
  static const std::regex unnoticed(
      "0x.*|WM_(?!(ACTIVATEAPP|KEYDOWN|SYSKEYDOWN|CLOSE|DESTROY)( |$)).*");
  // Wine's own notes come before the trace; its console ends lines with CR LF.
  std::istringstream lines(trace.substr(std::min(trace.size(), trace.find("RegisterClassA"))));
  std::string kept, line;
  while (std::getline(lines, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!std::regex_match(line, unnoticed)) kept += line + "\n";
  }
  return kept;
}

TEST(StandIn, AgreesWithWineOnWhatTheProgramCanNotice) {
  if (!std::filesystem::exists(ORBITRAND_WINDOWS_TRACE)) GTEST_SKIP() << "no Windows build";
  const std::string standIn = runTrace({ORBITRAND_STAND_IN_TRACE});
  const std::string wine = runTrace({"wine", ORBITRAND_WINDOWS_TRACE});
  std::printf("stand-in:\n%s\nWine:\n%s\n", standIn.c_str(), wine.c_str());
  EXPECT_EQ(noticeable(standIn), noticeable(wine));
}

}  // namespace
}  // namespace e2e
