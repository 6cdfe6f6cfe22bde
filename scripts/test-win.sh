#!/usr/bin/env bash
# Cross-builds the Win32 backends (global hot keys, the About box's registry
# reading) and their tests with mingw-w64 (preset windows-cross, no Qt) and
# runs them under wine, in a wine prefix of their own inside the build folder.
# Exits non-zero when anything fails.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$here/build-win
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

for tool in x86_64-w64-mingw32-g++-posix "$wine" "$wineserver"; do
  if ! command -v "$tool" >/dev/null; then
    echo "test-win: $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

cd "$here" || exit 1
cmake --preset windows-cross >/dev/null || exit 1
cmake --build --preset windows-cross || exit 1

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# The tests need no display; keep wine off the developer's desktop.
unset DISPLAY WAYLAND_DISPLAY

# Outside CTest: end a server left by an interrupted run, create the prefix
# (the first start takes a while), then start a lasting server and wine's
# helper processes under it, so no helper started by a test holds CTest's
# output open. The server ends with this script.
quiet() { "$@" >/dev/null 2>&1 </dev/null; }
quiet "$wineserver" -k || true
quiet "$wine" cmd /c exit || true
quiet timeout 60 "$wineserver" -w || true
quiet "$wineserver" -p || true
trap 'quiet "$wineserver" -k || true' EXIT
quiet "$wine" cmd /c exit || true

ctest --preset windows-cross
