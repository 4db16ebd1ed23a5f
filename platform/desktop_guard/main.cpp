// orbitrand-desktop-guard: puts the desktop's display mode back when the
// program that started it ends in a mode of its own without doing so itself
// (killed, crashed), as Windows does for a mode set with CDS_FULLSCREEN
// however the process ends.
//
// The program holds the other end of this process's standard input and
// output (a socket pair) and sends one byte for each change:
//   's'  it is about to leave the desktop mode: the screen's layout (its size,
//        and each CRTC's mode, place, rotation and outputs) is saved, and one
//        byte back tells the program that it is;
//   'd'  the desktop mode is back: there is nothing to restore.
// When the input ends (the kernel closes the program's end however the
// program ended) a saved layout that the screen no longer has is put back.
//
// It runs in a session of its own, so that a Ctrl+C at the terminal, which
// ends the program, leaves it to do its work.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <optional>
#include <vector>

namespace {

struct CrtcSetting {
  RRCrtc crtc = 0;
  RRMode mode = 0;
  int x = 0;
  int y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;

  bool operator==(const CrtcSetting& other) const {
    return crtc == other.crtc && mode == other.mode && x == other.x && y == other.y &&
           rotation == other.rotation && outputs == other.outputs;
  }
};

struct Layout {
  int width = 0;
  int height = 0;
  int widthMm = 0;
  int heightMm = 0;
  std::vector<CrtcSetting> crtcs;
};

class ScreenResources {
 public:
  ScreenResources(Display* display, Window root)
      : resources_(XRRGetScreenResourcesCurrent(display, root)) {}
  ~ScreenResources() {
    if (resources_) XRRFreeScreenResources(resources_);
  }
  ScreenResources(const ScreenResources&) = delete;
  ScreenResources& operator=(const ScreenResources&) = delete;
  XRRScreenResources* get() const { return resources_; }

 private:
  XRRScreenResources* resources_;
};

// Requests that the server refuses (a layout it no longer accepts) are
// skipped; the rest of the layout is still put back.
int ignoreError(Display*, XErrorEvent*) { return 0; }

Layout readLayout(Display* display, Window root, const ScreenResources& resources) {
  XWindowAttributes attributes{};
  XGetWindowAttributes(display, root, &attributes);
  const int screen = DefaultScreen(display);
  Layout layout;
  layout.width = attributes.width;
  layout.height = attributes.height;
  // Keep the screen's resolution in dots per millimetre, as mode switches do.
  layout.widthMm = attributes.width * DisplayWidthMM(display, screen) / DisplayWidth(display, screen);
  layout.heightMm = attributes.height * DisplayHeightMM(display, screen) / DisplayHeight(display, screen);
  XRRScreenResources* all = resources.get();
  for (int k = 0; all && k < all->ncrtc; ++k) {
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, all, all->crtcs[k]);
    if (!info) continue;
    layout.crtcs.push_back({all->crtcs[k], info->mode, info->x, info->y, info->rotation,
                            std::vector<RROutput>(info->outputs, info->outputs + info->noutput)});
    XRRFreeCrtcInfo(info);
  }
  return layout;
}

// As a mode switch does it: the changed CRTCs off, the screen to its size,
// the CRTCs to their settings, all in one grab of the server.
void restore(Display* display, Window root, const Layout& saved) {
  const ScreenResources resources(display, root);
  if (!resources.get()) return;
  const Layout now = readLayout(display, root, resources);
  std::vector<const CrtcSetting*> changed;
  for (const CrtcSetting& setting : saved.crtcs) {
    for (const CrtcSetting& current : now.crtcs) {
      if (current.crtc == setting.crtc && !(current == setting)) changed.push_back(&setting);
    }
  }
  const bool resized = now.width != saved.width || now.height != saved.height;
  if (changed.empty() && !resized) return;
  XGrabServer(display);
  for (const CrtcSetting* setting : changed) {
    XRRSetCrtcConfig(display, resources.get(), setting->crtc, CurrentTime, 0, 0, None, RR_Rotate_0,
                     nullptr, 0);
  }
  if (resized) XRRSetScreenSize(display, root, saved.width, saved.height, saved.widthMm, saved.heightMm);
  for (const CrtcSetting* setting : changed) {
    XRRSetCrtcConfig(display, resources.get(), setting->crtc, CurrentTime, setting->x, setting->y,
                     setting->mode, setting->rotation,
                     const_cast<RROutput*>(setting->outputs.data()),
                     static_cast<int>(setting->outputs.size()));
  }
  XUngrabServer(display);
  XSync(display, False);
}

}  // namespace

int main() {
  signal(SIGPIPE, SIG_IGN);  // a program that is gone cannot be answered
  Display* display = XOpenDisplay(nullptr);
  if (!display) return 1;
  XSetErrorHandler(ignoreError);
  const Window root = DefaultRootWindow(display);
  std::optional<Layout> saved;
  for (;;) {
    char request = 0;
    const ssize_t got = read(STDIN_FILENO, &request, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got != 1) break;
    if (request == 's') {
      saved = readLayout(display, root, ScreenResources(display, root));
      const char ready = 'r';
      if (write(STDOUT_FILENO, &ready, 1) != 1) break;
    } else if (request == 'd') {
      saved.reset();
    }
  }
  if (saved) restore(display, root, *saved);
  XCloseDisplay(display);
  return 0;
}
