#!/usr/bin/env bash
# Sets up, builds, generates the data files and starts Orbitrand full-screen in
# the folder that holds them. Without an X display it runs a short scripted
# demonstration on a virtual display of its own instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
# Only what runs: the program with its guard and data files, and the
# demonstration where there is no display; scripts/test.sh builds the rest.
targets=(orbitrand data)
[ -n "${DISPLAY:-}" ] || targets+=(demonstration)
scripts/build.sh "${targets[@]}"
cd build
if [ -z "${DISPLAY:-}" ]; then
  echo "There is no X display here, so Orbitrand flies a short demonstration on a virtual one."
  exec ../scripts/with-display.sh tests/demonstration
fi
exec ./orbitrand
