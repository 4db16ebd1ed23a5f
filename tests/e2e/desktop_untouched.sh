#!/usr/bin/env bash
# Runs a command as the test command runs it, through scripts/with-display.sh,
# while DISPLAY names another X server that stands in for a person's desktop;
# fails when any window showed there, or when that server's display mode or
# pointer changed.
# Usage: desktop_untouched.sh <command> [arguments]
set -euo pipefail
with_display=$(cd "$(dirname "$0")/../../scripts" && pwd)/with-display.sh
if [ -z "${ORBITRAND_DESKTOP_STANDIN:-}" ]; then
  exec "$with_display" env ORBITRAND_DESKTOP_STANDIN="$0" "$0" "$@"
fi

desktop_state() {
  xrandr --current | grep '\*'
  xdotool getmouselocation
}
xdotool mousemove 123 45
before=$(desktop_state)
seen=$(mktemp)
xdotool search --sync --name . >"$seen" 2>/dev/null &
watcher=$!
trap 'kill $watcher 2>/dev/null || true; rm -f "$seen"' EXIT

status=0
"$with_display" "$@" || status=$?
after=$(desktop_state)
if [ -s "$seen" ]; then
  echo "desktop_untouched.sh: a window showed on the desktop" >&2
  status=1
fi
if [ "$before" != "$after" ]; then
  printf 'desktop_untouched.sh: the desktop changed from\n%s\nto\n%s\n' "$before" "$after" >&2
  status=1
fi
exit "$status"
