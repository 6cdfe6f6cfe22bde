#!/usr/bin/env bash
# Runs the whole suite headless: the native tests under CTest, then the
# Windows backends cross-built and run under wine.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
status=0

export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=1
# The Windows back ends are not part of a sanitizer build (make test-asan).
[[ -n ${ASAN_OPTIONS:-} ]] || "$here/scripts/test-win.sh" || status=1
exit $status
