#!/usr/bin/env bash
# Sets up, builds what the package holds and makes the Debian package
# build/orbitrand_<version>_amd64.deb with CPack.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/build.sh packaged
cd build
cpack
