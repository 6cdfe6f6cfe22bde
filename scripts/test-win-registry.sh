#!/usr/bin/env bash
# Cross-builds the About box's Win32 registry backend with mingw-w64 (no Qt
# needed) and runs its tests under wine, in a wine prefix of their own inside
# the build folder. Exits non-zero when anything fails.
set -uo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${JW_WIN_REGISTRY_BUILD:-$here/build-win-registry}
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver

for tool in x86_64-w64-mingw32-g++-posix "$wine" "$wineserver"; do
  if ! command -v "$tool" >/dev/null; then
    echo "test-win-registry: $tool is missing (scripts/install-deps.sh installs it)" >&2
    exit 1
  fi
done

cmake -S "$here/tests/dialogs/win" -B "$build" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64.cmake" >/dev/null || exit 1
cmake --build "$build" -j 2 || exit 1

export WINEPREFIX="$build/wineprefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

# Outside CTest: create the prefix (the first start takes a while), then
# start a lasting server and wine's helper processes under it, so no helper
# started by a test holds CTest's output open.
"$wine" cmd /c exit >/dev/null 2>&1 </dev/null || true
"$wineserver" -w >/dev/null 2>&1 </dev/null
"$wineserver" -p >/dev/null 2>&1 </dev/null
"$wine" cmd /c exit >/dev/null 2>&1 </dev/null || true

status=0
ctest --test-dir "$build" --output-on-failure || status=1
"$wineserver" -k >/dev/null 2>&1 </dev/null || true
exit $status
