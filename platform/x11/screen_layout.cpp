#include "platform/x11/screen_layout.h"

#include <cmath>

namespace platform {
namespace {

class ScreenResources {
 public:
  explicit ScreenResources(Display* display)
      : resources_(XRRGetScreenResourcesCurrent(display, DefaultRootWindow(display))) {}
  ~ScreenResources() {
    if (resources_) XRRFreeScreenResources(resources_);
  }
  ScreenResources(const ScreenResources&) = delete;
  ScreenResources& operator=(const ScreenResources&) = delete;
  XRRScreenResources* get() const { return resources_; }

 private:
  XRRScreenResources* resources_;
};

// Xlib's error handler is the whole process's: ours holds only while our own
// requests run, and is undone once the server has answered them all.
class ErrorsIgnored {
 public:
  explicit ErrorsIgnored(Display* display)
      : display_(display), previous_(XSetErrorHandler([](Display*, XErrorEvent*) { return 0; })) {}
  ~ErrorsIgnored() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
  }
  ErrorsIgnored(const ErrorsIgnored&) = delete;
  ErrorsIgnored& operator=(const ErrorsIgnored&) = delete;

 private:
  Display* display_;
  XErrorHandler previous_;
};

struct FirstDisplay {
  RROutput output = None;
  RRCrtc crtc = None;
};

FirstDisplay firstDisplay(Display* display, const XRRScreenResources& resources) {
  const RROutput primary = XRRGetOutputPrimary(display, DefaultRootWindow(display));
  FirstDisplay first;
  for (int k = 0; k < resources.noutput; ++k) {
    XRROutputInfo* info = XRRGetOutputInfo(display, const_cast<XRRScreenResources*>(&resources),
                                           resources.outputs[k]);
    if (!info) continue;
    const bool shows = info->connection != RR_Disconnected && info->crtc != None;
    if (shows && (first.output == None || resources.outputs[k] == primary)) {
      first = {resources.outputs[k], info->crtc};
    }
    XRRFreeOutputInfo(info);
  }
  return first;
}

const XRRModeInfo* modeInfo(const XRRScreenResources& resources, RRMode id) {
  for (int k = 0; k < resources.nmode; ++k) {
    if (resources.modes[k].id == id) return &resources.modes[k];
  }
  return nullptr;
}

int refreshRate(const XRRModeInfo& mode) {
  if (!mode.hTotal || !mode.vTotal) return 0;
  return static_cast<int>(
      std::lround(static_cast<double>(mode.dotClock) / (double(mode.hTotal) * mode.vTotal)));
}

bool sideways(Rotation rotation) { return rotation & (RR_Rotate_90 | RR_Rotate_270); }

}  // namespace

bool CrtcSetting::operator==(const CrtcSetting& other) const {
  return crtc == other.crtc && mode == other.mode && x == other.x && y == other.y &&
         rotation == other.rotation && outputs == other.outputs;
}

ScreenLayout readScreenLayout(Display* display) {
  XWindowAttributes root{};
  XGetWindowAttributes(display, DefaultRootWindow(display), &root);
  const int screen = DefaultScreen(display);
  ScreenLayout layout;
  layout.width = root.width;
  layout.height = root.height;
  // The screen keeps its dots per millimetre through mode switches.
  layout.widthMm = root.width * DisplayWidthMM(display, screen) / DisplayWidth(display, screen);
  layout.heightMm = root.height * DisplayHeightMM(display, screen) / DisplayHeight(display, screen);
  const ScreenResources resources(display);
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

void applyScreenLayout(Display* display, const ScreenLayout& wanted) {
  const ScreenLayout now = readScreenLayout(display);
  std::vector<const CrtcSetting*> changed;
  for (const CrtcSetting& setting : wanted.crtcs) {
    for (const CrtcSetting& current : now.crtcs) {
      if (current.crtc == setting.crtc && !(current == setting)) changed.push_back(&setting);
    }
  }
  const bool resized = now.width != wanted.width || now.height != wanted.height;
  if (changed.empty() && !resized) return;
  const ScreenResources resources(display);
  if (!resources.get()) return;
  const ErrorsIgnored refusals(display);
  XGrabServer(display);
  for (const CrtcSetting* setting : changed) {
    XRRSetCrtcConfig(display, resources.get(), setting->crtc, CurrentTime, 0, 0, None, RR_Rotate_0,
                     nullptr, 0);
  }
  if (resized) {
    XRRSetScreenSize(display, DefaultRootWindow(display), wanted.width, wanted.height,
                     wanted.widthMm, wanted.heightMm);
  }
  for (const CrtcSetting* setting : changed) {
    XRRSetCrtcConfig(display, resources.get(), setting->crtc, CurrentTime, setting->x, setting->y,
                     setting->mode, setting->rotation,
                     const_cast<RROutput*>(setting->outputs.data()),
                     static_cast<int>(setting->outputs.size()));
  }
  XUngrabServer(display);
}

std::vector<ScreenMode> firstDisplayModes(Display* display) {
  int eventBase = 0;
  int errorBase = 0;
  if (!XRRQueryExtension(display, &eventBase, &errorBase)) return {};
  const ScreenResources resources(display);
  if (!resources.get()) return {};
  const FirstDisplay first = firstDisplay(display, *resources.get());
  if (first.output == None) return {};
  XRROutputInfo* output = XRRGetOutputInfo(display, resources.get(), first.output);
  XRRCrtcInfo* crtc = XRRGetCrtcInfo(display, resources.get(), first.crtc);
  std::vector<ScreenMode> modes;
  for (int k = 0; output && crtc && k < output->nmode; ++k) {
    const XRRModeInfo* info = modeInfo(*resources.get(), output->modes[k]);
    if (!info) continue;
    const bool turned = sideways(crtc->rotation);
    modes.push_back({info->id, static_cast<int>(turned ? info->height : info->width),
                     static_cast<int>(turned ? info->width : info->height), refreshRate(*info)});
  }
  if (crtc) XRRFreeCrtcInfo(crtc);
  if (output) XRRFreeOutputInfo(output);
  return modes;
}

std::optional<ScreenLayout> withFirstDisplayMode(Display* display, ScreenLayout layout,
                                                 const ScreenMode& mode) {
  const ScreenResources resources(display);
  if (!resources.get() || layout.width <= 0 || layout.height <= 0) return std::nullopt;
  const FirstDisplay first = firstDisplay(display, *resources.get());
  for (CrtcSetting& setting : layout.crtcs) {
    if (setting.crtc != first.crtc) continue;
    setting.mode = mode.id;
    layout.widthMm = mode.width * layout.widthMm / layout.width;
    layout.heightMm = mode.height * layout.heightMm / layout.height;
    layout.width = mode.width;
    layout.height = mode.height;
    return layout;
  }
  return std::nullopt;
}

}  // namespace platform
