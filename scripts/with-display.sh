#!/usr/bin/env bash
# Runs a command with an X display: the current one, or a virtual one (Xvfb)
# started for the command and stopped after it.
#
# A bare Xvfb offers one display mode, its framebuffer's size. This one offers
# a monitor's choice, so that programs can switch modes as on real hardware:
# 640x480, 800x600 and 1024x768 at 60 Hz, and 1280x1024 (the framebuffer,
# refresh rate unknown), starting from a 1024x768 desktop. -noreset keeps the
# modes when the last client disconnects. ORBITRAND_XVFB_ARGS adds arguments
# to Xvfb's own (for example "-extension GLX" for a display without OpenGL).
set -euo pipefail
if [ -n "${DISPLAY:-}" ]; then
  exec "$@"
fi
for number in $(seq 90 120); do
  [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
done
# shellcheck disable=SC2086 # the extra arguments are words
Xvfb ":$number" -screen 0 1280x1024x24 -nolisten tcp -noreset ${ORBITRAND_XVFB_ARGS:-} >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wait $xvfb 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  [ -e "/tmp/.X11-unix/X$number" ] && break
  sleep 0.05
done
export DISPLAY=":$number"

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
