#!/usr/bin/env bash
# Runs the whole suite headless: the native tests under CTest, then the
# Windows backends cross-built and run under wine.
set -uo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")/.." && pwd)
status=0

export QT_QPA_PLATFORM=offscreen
if [[ -n ${JW_SANITIZED:-} ]]; then
  # make test-asan: any finding fails the test that met it.
  export ASAN_OPTIONS=abort_on_error=1:detect_stack_use_after_return=1:strict_string_checks=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  export LSAN_OPTIONS=suppressions=$here/scripts/lsan.supp:print_suppressions=0
fi
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" || status=1
# The Windows back ends are not part of a sanitizer build.
[[ -n ${JW_SANITIZED:-} ]] || "$here/scripts/test-win.sh" || status=1
exit $status
