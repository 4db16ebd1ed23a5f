#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing Orbitrand
# need, where they are missing. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-14-dev clang-format
  libsdl2-dev lib3ds-dev libgl-dev libglu1-mesa-dev libgl1-mesa-dri
  libfontconfig-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libpng-dev libx11-dev libxrandr-dev libxtst-dev
  xvfb xdotool x11-xserver-utils imagemagick
  xfonts-base
  x11-utils dbus-daemon xfwm4 xfce4-panel openbox tint2 mutter xwayland
  g++-mingw-w64-x86-64-win32 gcc-mingw-w64-base mingw-w64-x86-64-dev curl wine wine64
  dpkg-dev file lintian
  ccache
)

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
