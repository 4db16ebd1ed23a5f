#!/usr/bin/env bash
# Runs a command on a virtual X display (Xvfb) of its own, started for the
# command and stopped after it, whether or not DISPLAY is set: what the command
# does to display modes, the pointer and the focus never reaches a person's
# own screen. The command sees ORBITRAND_VIRTUAL_DISPLAY set to that display.
#
# A bare Xvfb offers one display mode, its framebuffer's size. This one offers
# a monitor's choice, so that programs can switch modes as on real hardware:
# 640x480, 800x600 and 1024x768 at 60 Hz, and 1280x1024 (the framebuffer,
# refresh rate unknown), starting from a 1024x768 desktop. -noreset keeps the
# modes when the last client disconnects. ORBITRAND_XVFB_ARGS adds arguments
# to Xvfb's own (for example "-extension GLX" for a display without OpenGL).
set -euo pipefail

xvfb_args=(-screen 0 1280x1024x24 -nolisten tcp -noreset)
# shellcheck disable=SC2206 # the extra arguments are words
xvfb_args+=(${ORBITRAND_XVFB_ARGS:-})

# Xvfb picks a free display number itself and writes it once it accepts
# clients, so that several of these can start at once without a race.
number_file=$(mktemp)
Xvfb -displayfd 3 "${xvfb_args[@]}" 3>"$number_file" >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true; rm -f "$number_file"' EXIT
for _ in $(seq 600); do
  [ -s "$number_file" ] && break
  kill -0 $xvfb 2>/dev/null || break
  sleep 0.05
done
number=$(head -n 1 "$number_file")
if [ -z "$number" ]; then
  echo "with-display.sh: Xvfb did not start" >&2
  exit 1
fi
export DISPLAY=":$number" ORBITRAND_VIRTUAL_DISPLAY=":$number"
unset WAYLAND_DISPLAY SDL_VIDEODRIVER

# VESA timings, so that each mode reports 60 Hz.
add_mode() {
  xrandr --newmode "$@" && xrandr --addmode screen "$1"
}
if add_mode 640x480_60 25.175 640 656 752 800 480 490 492 525 -hsync -vsync &&
  add_mode 800x600_60 40.000 800 840 968 1056 600 601 605 628 +hsync +vsync &&
  add_mode 1024x768_60 65.000 1024 1048 1184 1344 768 771 777 806 -hsync -vsync; then
  xrandr --output screen --mode 1024x768_60
else
  echo "with-display.sh: Xvfb offers only its 1280x1024 mode (xrandr failed)" >&2
fi
"$@"
