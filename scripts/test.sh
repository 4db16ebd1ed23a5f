#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: unit, GL, end-to-end, package,
# the Windows build under Wine, sanitizer and fuzz runs, all through CTest, on a
# virtual display of its own.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
scripts/build-windows.sh  # orbitrand.exe, which the wine tests run
cd build
../scripts/with-display.sh ctest --output-on-failure --timeout 600 "$@"
