// Inside the stand-in, and shared with the desktop guard: the X screen's
// display modes through RandR. A layout is the screen's size and each CRTC's
// mode, place, rotation and outputs; switching the display mode and putting
// the desktop back are both the applying of a layout.
//
// The first display is the primary output, or else the first output that
// shows something, as SDL counts displays.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <optional>
#include <vector>

namespace platform {

struct ScreenMode {
  RRMode id = None;
  int width = 0;
  int height = 0;
  int refreshRate = 0;  // whole hertz, 0 where the mode does not say
};

struct CrtcSetting {
  RRCrtc crtc = None;
  RRMode mode = None;
  int x = 0;
  int y = 0;
  Rotation rotation = RR_Rotate_0;
  std::vector<RROutput> outputs;

  bool operator==(const CrtcSetting& other) const;
};

struct ScreenLayout {
  int width = 0;
  int height = 0;
  int widthMm = 0;
  int heightMm = 0;
  std::vector<CrtcSetting> crtcs;
};

ScreenLayout readScreenLayout(Display* display);
// Changes what differs from the screen's present layout, in one grab of the
// server: the changed CRTCs off, the screen to its size, the CRTCs on again.
// Requests that the server refuses are skipped.
void applyScreenLayout(Display* display, const ScreenLayout& wanted);

// The modes that the first display offers; none where RandR is missing.
std::vector<ScreenMode> firstDisplayModes(Display* display);
// The layout with the first display showing the mode, the screen at its size.
std::optional<ScreenLayout> withFirstDisplayMode(Display* display, ScreenLayout layout,
                                                 const ScreenMode& mode);

}  // namespace platform
