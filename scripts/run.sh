#!/usr/bin/env bash
# Sets up, builds, generates the data files and starts Orbitrand in the folder
# that holds them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh
if [ ! -x build/orbitrand ]; then
  echo "The program is not built yet: build/orbitrand is missing." >&2
  exit 1
fi
cd build
exec ./orbitrand
