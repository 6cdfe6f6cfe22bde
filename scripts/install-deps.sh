#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need,
# and only those that are missing.
set -euo pipefail

packages=(
  make cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev libxcb-keysyms1-dev libxcb-xtest0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix wine64
  xvfb xauth openbox xdotool x11-utils imagemagick
  poppler-utils unrtf fonts-dejavu-core libreoffice-writer-nogui
  libfontconfig-dev featherpad xpad linux-perf
  desktop-file-utils appstream
  dbus-daemon dbus-bin python3-dbus python3-gi
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
