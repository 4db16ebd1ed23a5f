#include "tests/e2e/program.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iterator>
#include <sstream>
#include <stdexcept>

#include "tests/e2e/hud_layout.h"

namespace fs = std::filesystem;

namespace e2e {

bool showsFrames(const Image& screen) {
  for (int line = kSpeedLine; line < kHudLineCount; ++line) {
    const Box b = hudLine(HudLine(line), screen.width, screen.height);
    if (screen.count(b.x0, b.y0, b.x1, b.y1, isWhite) <= 10) return false;
  }
  return true;
}

void Image::savePng(const std::string& path) const {
  fs::create_directories(fs::path(path).parent_path());
  const std::string command = "convert -size " + std::to_string(width) + "x" +
                              std::to_string(height) + " -depth 8 rgb:- '" + path + "'";
  if (FILE* pipe = popen(command.c_str(), "w")) {
    std::fwrite(rgb.data(), 1, rgb.size(), pipe);
    pclose(pipe);
  }
}

Stage::Stage() {
  root_ = (fs::temp_directory_path() / "orbitrand-e2e-XXXXXX").string();
  if (!mkdtemp(root_.data())) throw std::runtime_error("no temporary folder");
  fs::create_directories(dataDir());
  fs::create_directories(configDir() + "/orbitrand");
  std::istringstream names(ORBITRAND_DATA_FILES);
  for (std::string name; names >> name;)
    fs::create_symlink(fs::path(ORBITRAND_DATA_DIR) / name, fs::path(dataDir()) / name);
}

Stage::~Stage() {
  std::error_code ignored;  // nothing to be done about a folder that stays
  fs::remove_all(root_, ignored);
}

void Stage::omit(const std::string& dataFile) { fs::remove(fs::path(dataDir()) / dataFile); }
void Stage::replace(const std::string& dataFile, const std::vector<uint8_t>& bytes) {
  omit(dataFile);
  std::ofstream(fs::path(dataDir()) / dataFile, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

void Stage::requestMode(int width, int height) {
  std::ofstream(configDir() + "/orbitrand/registry.reg")
      << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Ardentix\\Velmora - practice]\n"
      << std::hex << std::setfill('0') << "\"Width\"=dword:" << std::setw(8) << width
      << "\n\"Height\"=dword:" << std::setw(8) << height << "\n";
}

Program::Program(const Stage& stage) : Program(stage, {ORBITRAND_PROGRAM}, stage.dataDir()) {}

Program::Program(const Stage& stage, const std::vector<std::string>& command,
                 const std::string& folder)
    : errorFile_(stage.configDir() + "/stderr.txt") {
  std::vector<char*> arguments;
  for (const std::string& argument : command)
    arguments.push_back(const_cast<char*>(argument.c_str()));
  arguments.push_back(nullptr);
  const std::string configDir = stage.configDir();
  pid_ = fork();
  if (pid_ == 0) {
    if (chdir(folder.c_str()) != 0) _exit(126);
    setenv("XDG_CONFIG_HOME", configDir.c_str(), 1);
    // The program dies with the test, and keeps off the test's own output, so
    // that a failing test never leaves it running on the display.
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    const int err = open(errorFile_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (err < 0 || dup2(err, STDERR_FILENO) < 0 || dup2(err, STDOUT_FILENO) < 0) _exit(126);
    execvp(arguments[0], arguments.data());
    _exit(127);
  }
}

Program::~Program() {
  if (running() && kill(pid_, SIGKILL) == 0) waitpid(pid_, nullptr, 0);
}

bool Program::running() {
  int status = 0;
  if (exitCode_ != -1 || pid_ <= 0) return false;
  if (waitpid(pid_, &status, WNOHANG) != pid_) return true;
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return false;
}

int Program::waitForExit(std::chrono::milliseconds limit) {
  waitFor([&] { return !running(); }, limit);
  return exitCode_;
}

int Program::endBy(const std::string& keys) {
  xdotool("keydown " + keys);
  waitForExit(30s);
  xdotool("keyup " + keys);
  return exitCode_;
}

std::string Program::errorOutput() const {
  std::ifstream file(errorFile_);
  return {std::istreambuf_iterator<char>(file), {}};
}

namespace {

// The screen changes size while the program switches display modes; a grab
// that races such a change fails, and is then simply taken again.
bool xRequestFailed = false;
int noteXError(Display*, XErrorEvent*) {
  xRequestFailed = true;
  return 0;
}

Window findByName(Display* display, Window window, const std::string& name) {
  // SDL's message box stores its name as compound text; the names looked
  // for are plain ASCII, the same in every encoding.
  XTextProperty title;
  if (XGetWMName(display, window, &title) && title.value) {
    const bool match = name == std::string(reinterpret_cast<char*>(title.value), title.nitems);
    XFree(title.value);
    if (match) return window;
  }
  Window root, parent, *children = nullptr, found = 0;
  unsigned count = 0;
  if (XQueryTree(display, window, &root, &parent, &children, &count)) {
    for (unsigned k = 0; k < count && !found; ++k) found = findByName(display, children[k], name);
    if (children) XFree(children);
  }
  return found;
}

}  // namespace

Screen::Screen(const std::string& session) {
  if (!session.empty()) {
    previousDisplay_ = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    const std::string name =
        (fs::temp_directory_path() / "orbitrand-display-").string() + std::to_string(getpid());
    const std::string command = "env -u DISPLAY " + session + " sh -c 'echo \"$DISPLAY\" >" + name +
                                ".new && mv " + name + ".new " + name + "; exec cat >/dev/null'";
    ownDisplay_ = popen(command.c_str(), "we");
    std::string display;
    waitFor([&] { return ownDisplay_ && std::ifstream(name) >> display; }, 60s);
    fs::remove(name);
    if (display.empty()) throw std::runtime_error("the display did not start: " + session);
    setenv("DISPLAY", display.c_str(), 1);
  }
  display_ = XOpenDisplay(nullptr);
  if (!display_) throw std::runtime_error("no X display");
  XSetErrorHandler(noteXError);
}

Screen::~Screen() {
  XCloseDisplay(display_);
  if (ownDisplay_) {
    setenv("DISPLAY", previousDisplay_.c_str(), 1);
    pclose(ownDisplay_);
  }
}

std::pair<int, int> Screen::mode() const {
  XWindowAttributes root;
  XGetWindowAttributes(display_, DefaultRootWindow(display_), &root);
  return {root.width, root.height};
}

Image Screen::grab() const { return grab(std::nullopt); }

Image Screen::grab(int x0, int y0, int x1, int y1) const { return grab(Area{x0, y0, x1, y1}); }

// A whole-screen grab reads the screen's size on every try: the mode may change in between.
Image Screen::grab(std::optional<Area> area) const {
  for (int tries = 0; tries < 500; ++tries, pause(10ms)) {
    const auto [width, height] = mode();
    const auto [x0, y0, x1, y1] = area.value_or(Area{0, 0, width, height});
    xRequestFailed = false;
    XImage* x =
        XGetImage(display_, DefaultRootWindow(display_), x0, y0, static_cast<unsigned>(x1 - x0),
                  static_cast<unsigned>(y1 - y0), AllPlanes, ZPixmap);
    XSync(display_, False);
    if (!x || xRequestFailed) {
      if (x) XDestroyImage(x);
      continue;
    }
    Image image{x1 - x0, y1 - y0, {}};
    for (int y = 0; y < image.height; ++y)
      for (int col = 0; col < image.width; ++col) {
        const unsigned long pixel = XGetPixel(x, col, y);  // 24-bit TrueColor, red highest
        image.rgb.insert(image.rgb.end(),
                         {uint8_t(pixel >> 16), uint8_t(pixel >> 8), uint8_t(pixel)});
      }
    XDestroyImage(x);
    return image;
  }
  throw std::runtime_error("the screen could not be read");
}

unsigned long Screen::findWindow(const std::string& name, std::chrono::milliseconds limit) const {
  Window found = 0;
  waitFor([&] { return (found = findByName(display_, DefaultRootWindow(display_), name)) != 0; },
          limit);
  return found;
}

std::string Screen::geometry(unsigned long window) const {
  XWindowAttributes shown{};
  int x = 0, y = 0;
  Window child;
  if (!XGetWindowAttributes(display_, window, &shown) || shown.map_state != IsViewable ||
      !XTranslateCoordinates(display_, window, shown.root, 0, 0, &x, &y, &child))
    return "";
  return std::to_string(shown.width) + "x" + std::to_string(shown.height) + "+" +
         std::to_string(x) + "+" + std::to_string(y);
}

std::string screenshotPath(const std::string& name) {
  return ORBITRAND_SCREENSHOT_DIR "/" + name + ".png";
}

}  // namespace e2e
