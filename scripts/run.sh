#!/usr/bin/env bash
# Sets up, builds, generates the data files and starts Orbitrand full-screen in
# the folder that holds them. Without an X display it runs a short scripted
# demonstration on a virtual display instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
cd build
if [ -z "${DISPLAY:-}" ]; then
  echo "No X display is available (DISPLAY is unset): running a short demonstration"
  echo "on a virtual display instead; screenshots go to build/screenshots/."
  status=0
  ../scripts/with-display.sh tests/e2e_tests --gtest_filter='Demonstration.*' || status=$?
  echo "Demonstration finished with status $status."
  exit "$status"
fi
exec ./orbitrand
