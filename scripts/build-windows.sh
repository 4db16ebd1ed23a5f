#!/usr/bin/env bash
# Builds Orbitrand for 64-bit Windows with mingw-w64 in build-windows/ and packs
# build-windows/orbitrand-windows-x86_64.zip: orbitrand.exe (no DLLs needed),
# the nine data files from our generator, an example registry file and how to
# run it. lib3ds comes from Debian's source package, fetched once from the
# mirror apt uses and checked against the package's SHA-256 sums.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
out=$root/build-windows
lib3ds_version=1.3.0
lib3ds_dsc=lib3ds_${lib3ds_version}-10.dsc
lib3ds_tarball=lib3ds_${lib3ds_version}.orig.tar.gz

scripts/setup.sh
mkdir -p "$out/downloads"

# The Debian mirror that apt is configured with (either sources format).
debian_mirror() {
  local mirror
  mirror=$(cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list \
             /etc/apt/sources.list.d/*.sources 2>/dev/null |
           grep -oE 'https?://[^ ]+/debian/?( |$)' | head -n 1 | tr -d ' ')
  echo "${mirror:-http://deb.debian.org/debian/}"
}

fetch_lib3ds() {
  local downloads=$out/downloads pool
  pool="$(debian_mirror)"
  pool="${pool%/}/pool/main/lib3/lib3ds"
  for file in "$lib3ds_dsc" "$lib3ds_tarball"; do
    [ -f "$downloads/$file" ] || curl -fsSL -o "$downloads/$file.part" "$pool/$file"
    [ -f "$downloads/$file.part" ] && mv "$downloads/$file.part" "$downloads/$file"
  done
  local expected
  expected=$(sed -n '/^Checksums-Sha256:/,/^[A-Z]/p' "$downloads/$lib3ds_dsc" |
             awk -v f="$lib3ds_tarball" '$3 == f { print $1 }')
  if [ -z "$expected" ] ||
     ! echo "$expected  $downloads/$lib3ds_tarball" | sha256sum --check --status; then
    echo "lib3ds: $lib3ds_tarball does not match the SHA-256 in $lib3ds_dsc" >&2
    rm -f "$downloads/$lib3ds_tarball" "$downloads/$lib3ds_dsc"
    exit 1
  fi
  tar -xzf "$downloads/$lib3ds_tarball" -C "$out"
}
[ -f "$out/lib3ds-$lib3ds_version/lib3ds/file.c" ] || fetch_lib3ds

if [ ! -f "$out/exe/CMakeCache.txt" ]; then
  cmake -S . -B "$out/exe" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/windows/mingw-w64-x86_64.cmake" \
    -DLIB3DS_SOURCE_DIR="$out/lib3ds-$lib3ds_version"
fi
cmake --build "$out/exe" -j "$(nproc)"

# The data files are written by the generator, a Linux program.
if [ ! -f build/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build -j "$(nproc)" --target data

package=$out/orbitrand-windows-x86_64
rm -rf "$package" "$package.zip"
mkdir -p "$package"
cp "$out/exe/windows/orbitrand.exe" "$package/"
for file in kesh.3ds tex_kesh.bmp ship.3ds ship_tex.bmp earth.3ds earth.bmp moon.3ds \
            moon.bmp stars2.bmp; do
  cp "build/$file" "$package/"
done
cp windows/registry.reg windows/README.txt "$package/"
(cd "$out" && cmake -E tar cf "$package.zip" --format=zip "$(basename "$package")")
echo "Built $package.zip"
