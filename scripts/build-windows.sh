#!/usr/bin/env bash
# Builds Orbitrand for 64-bit Windows with mingw-w64 in build-windows/ and packs
# build-windows/orbitrand-windows-x86_64.zip: orbitrand.exe (no DLLs needed),
# the nine data files from our generator, an example registry file, how to run
# it, and what the licences of the pieces linked into it ask for: their terms,
# read from their Debian packages, and the sources of lib3ds and of Orbitrand.
# Usage: build-windows.sh [lib3ds source folder]
# Without a folder, lib3ds comes from Debian's source package, fetched once from
# the mirror apt uses and checked against the package's SHA-256 sums.
set -euo pipefail
lib3ds_source=${1:+$(realpath "$1")}
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
if [ -z "$lib3ds_source" ]; then
  lib3ds_source=$out/lib3ds-$lib3ds_version
  [ -f "$lib3ds_source/lib3ds/file.c" ] || fetch_lib3ds
elif [ ! -f "$lib3ds_source/lib3ds/file.c" ]; then
  echo "build-windows.sh: $lib3ds_source is not a lib3ds source folder (no lib3ds/file.c)" >&2
  exit 1
fi

# The lib3ds folder is given on every run: it may differ from the last one's.
configure=(-DLIB3DS_SOURCE_DIR="$lib3ds_source")
[ -f "$out/exe/CMakeCache.txt" ] || configure+=(-DCMAKE_BUILD_TYPE=Release
  -DCMAKE_TOOLCHAIN_FILE="$root/windows/mingw-w64-x86_64.cmake")
cmake -S . -B "$out/exe" "${configure[@]}"
cmake --build "$out/exe" -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$out/exe/CMakeCache.txt")

# The data files are written by the generator, a Linux program, under the
# names that the build keeps in its cache.
if [ ! -f build/CMakeCache.txt ]; then
  CC=clang CXX=clang++ cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
fi
cmake --build build -j "$(nproc)" --target data

package=$out/orbitrand-windows-x86_64
rm -rf "$package" "$package.zip"
mkdir -p "$package/licences" "$package/source"
cp "$out/exe/windows/orbitrand.exe" "$package/"
for file in $(sed -n 's/^ORBITRAND_DATA_FILES:INTERNAL=//p' build/CMakeCache.txt | tr ';' ' '); do
  cp "build/$file" "$package/"
done
cp windows/registry.reg "$out/exe/windows/README.txt" "$out/exe/windows/THIRD-PARTY.txt" \
   LICENSE "$package/"

# The terms of each piece linked into orbitrand.exe, from the Debian packages
# of what was linked (setup.sh installs them) and the licence texts they cite.
cp /usr/share/doc/lib3ds-dev/copyright "$package/licences/lib3ds-copyright.txt"
cp /usr/share/common-licenses/LGPL-2.1 "$package/licences/LGPL-2.1.txt"
cp /usr/share/doc/gcc-mingw-w64-base/copyright "$package/licences/gcc-copyright.txt"
cp /usr/share/common-licenses/GPL-3 "$package/licences/GPL-3.txt"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$package/licences/mingw-w64-copyright.txt"

# lib3ds's source exactly as compiled in, and ours, from which orbitrand.exe
# can be built again with a changed lib3ds.
# In a git checkout, the files git knows of or would add (changes included,
# build output and ignored files left out); elsewhere the folder without its
# builds.
source_archive() {  # <archive> <folder> <name of the folder in the archive>
  local files
  files=$(mktemp)
  if git -C "$2" rev-parse --show-toplevel 2>/dev/null | grep -qx "$2"; then
    git -C "$2" ls-files -z --cached --others --exclude-standard | sed -z 's,^,./,' >"$files"
  else
    (cd "$2" && find . \( -path ./.git -o -path './build*' \) -prune -o ! -type d -print0) >"$files"
  fi
  tar -czf "$1" --sort=name --owner=0 --group=0 --numeric-owner --transform="s,^\.,$3," \
      -C "$2" --null -T "$files"
  rm -f "$files"
}
if [ "$lib3ds_source" = "$out/lib3ds-$lib3ds_version" ]; then
  cp "$out/downloads/$lib3ds_tarball" "$package/source/"
else
  source_archive "$package/source/lib3ds-source.tar.gz" "$lib3ds_source" "$(basename "$lib3ds_source")"
fi
source_archive "$package/source/orbitrand-$version-source.tar.gz" "$root" "orbitrand-$version"

(cd "$out" && cmake -E tar cf "$package.zip" --format=zip "$(basename "$package")")
echo "Built $package.zip"
