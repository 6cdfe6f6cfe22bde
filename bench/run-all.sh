#!/usr/bin/env bash
# Runs every benchmark and the side-by-side peer runs, then prints one table
# of figures and ratios against the targets (bench/table.py).
# usage: bench/run-all.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
xvfb_pid=""
cleanup() {
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$out"
}
trap cleanup EXIT

# An X server of our own, without a window manager: a mapped window is on screen.
# -noreset: a server that resets when its last client leaves refuses the next one for a moment.
exec 3< <(Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp -noreset 2>/dev/null)
xvfb_pid=$!
read -r -t 30 display <&3 || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$display"
export XDG_RUNTIME_DIR="$out/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

run() { # NAME PROGRAM [ARGS...]
  local name=$1; shift
  echo "== $name" >&2
  "$@" --benchmark_out="$out/$name.json" --benchmark_out_format=json >&2 || echo "$name failed" >&2
}
run rtf "$build/bench/rtf_bench"
run ui env QT_QPA_PLATFORM=offscreen "$build/bench/ui_bench"
run spell "$build/bench/spell_bench"
run window env JOTWELL_BENCH_DISPLAY="$DISPLAY" "$build/bench/window_bench"
run firstwindow "$build/bench/firstwindow_bench"
run memory "$build/bench/memory_bench"
run search env QT_QPA_PLATFORM=offscreen "$build/bench/search_bench"
run history env QT_QPA_PLATFORM=offscreen "$build/bench/history_bench"
# Last: it starts a window manager of its own on the display.
run ping "$build/bench/pingbench"
echo "== rtfdump against unrtf" >&2
"$here/rtfdump-compare.sh" "$build" 5 | tee "$out/rtfdump.txt" >&2 || echo "rtfdump-compare failed" >&2

python3 "$here/table.py" "$out"
