#!/usr/bin/env bash
# Configures and builds Orbitrand (Release) in build/, with clang so that the
# fuzz targets build too: everything, or only the targets given. The build
# also generates the data files.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
fi
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build build -j "$(nproc)" "${targets[@]}"
