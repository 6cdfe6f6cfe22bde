#!/usr/bin/env bash
# Installs the Debian packages a step needs, and only those that are missing.
#   install-deps.sh run    building and running the pad (make run)
#   install-deps.sh test   the above, plus what the test suite needs (make test)
#   install-deps.sh bench  the above, plus the benchmarks and their peers (make bench)
set -euo pipefail
level=${1:-run}

# Building and running.
packages=(
  make cmake ninja-build g++ pkg-config git
  qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev libxcb-keysyms1-dev
  libfontconfig-dev
  libhunspell-dev hunspell-en-us
  qt6-l10n-tools qt6-translations-l10n
)
# The tests: GoogleTest, a private X server and window manager with the tools
# that drive and read it, the peers that check our files, the Windows
# back ends under wine, and clang for the fuzz target.
test_packages=(
  libgtest-dev libgmock-dev libxcb-xtest0-dev
  xvfb xauth openbox xfwm4 xdotool x11-utils imagemagick
  poppler-utils fonts-dejavu-core libreoffice-writer-nogui hunspell-de-de
  desktop-file-utils appstream
  dbus-daemon dbus-bin python3-dbus python3-gi python3-pyatspi at-spi2-core
  g++-mingw-w64-x86-64-posix wine64
  clang libclang-rt-14-dev
)
# The benchmarks and the programs they are measured against.
bench_packages=(
  libbenchmark-dev unrtf featherpad xpad linux-perf
)

case $level in
  run) ;;
  test) packages+=("${test_packages[@]}") ;;
  bench) packages+=("${test_packages[@]}" "${bench_packages[@]}") ;;
  *) echo "usage: $0 [run|test|bench]" >&2; exit 2 ;;
esac

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
