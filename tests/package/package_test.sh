#!/usr/bin/env bash
# The Debian package as a person gets it: built with CPack from the build,
# unpacked into a temporary root, its files where the menu entry and the
# launcher look for them, the unpacked launcher started from another folder
# showing frames and ending with 0 on Escape, its terms MIT, one version in
# the package, its changelog and its manual page, and lintian without errors
# or warnings.
# Usage: package_test.sh <build folder> <demonstration program> <data file>...
set -euo pipefail
build=$1
demonstration=$2
data_files=("${@:3}")
with_display=$(cd "$(dirname "$0")/../../scripts" && pwd)/with-display.sh
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
  echo "package_test.sh: $*" >&2
  exit 1
}

cpack --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" || { cat "$work/cpack.log"; fail "cpack failed"; }
deb=$(echo "$work"/orbitrand_*_amd64.deb)
[ -f "$deb" ] || fail "no orbitrand_<version>_amd64.deb"
root=$work/root
dpkg-deb -x "$deb" "$root"

# The menu entry starts the command on the PATH, with the icon of its name.
desktop=$root/usr/share/applications/orbitrand.desktop
exec_line=$(sed -n 's/^Exec=//p' "$desktop")
icon=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$root/usr/games/$exec_line" ] || fail "Exec=$exec_line is not in /usr/games"
for size in 48 128 256; do
  [ -s "$root/usr/share/icons/hicolor/${size}x$size/apps/$icon.png" ] || fail "no $size-pixel icon $icon"
done
# The launcher's program and data folder, as it names them.
launcher=$root/usr/games/orbitrand
here=$(dirname "$launcher")
data=$here/$(sed -n 's|^cd "$here/\(.*\)".*|\1|p' "$launcher")
program=$here/$(sed -n 's|^exec "$here/\(.*\)".*|\1|p' "$launcher")
[ -x "$program" ] && [ -f "$program" ] || fail "the launcher's program $program is missing"
for file in "${data_files[@]}"; do
  [ -s "$data/$file" ] || fail "the data file $file is not in the launcher's folder $data"
done
for file in etc/xdg/orbitrand/registry.reg usr/share/man/man6/orbitrand.6.gz usr/share/doc/orbitrand/copyright; do
  [ -s "$root/$file" ] || fail "no /$file"
done
licences=$(sed -n 's/^License: //p' "$root/usr/share/doc/orbitrand/copyright" | sort -u)
[ "$licences" = MIT ] || fail "the copyright file gives the licences '$licences', not MIT alone"
version=$(dpkg-deb -f "$deb" Version)
[[ $(zcat "$root/usr/share/doc/orbitrand/changelog.gz") == "orbitrand ($version) "* ]] ||
  fail "the changelog's last entry is not version $version"
[[ $(zcat "$root/usr/share/man/man6/orbitrand.6.gz" | sed -n '/^\.TH /p') == *" \"Orbitrand $version\" "* ]] ||
  fail "the manual page's header does not name version $version"

# The demonstration starts the launcher from a folder without data files,
# waits for frames with the heads-up display and ends the flight with Escape.
"$with_display" "$demonstration" "$launcher" || fail "the unpacked launcher did not run to exit code 0"

lintian --fail-on error,warning "$deb" || fail "lintian reports errors or warnings"
