#!/usr/bin/env bash
# Times `rtfdump` end to end against `unrtf --text` on the same generated
# 10 MB page, best of several runs each, and prints the ratios.
# usage: bench/rtfdump-compare.sh [BUILD_DIR] [RUNS]   (defaults: build, 10)
set -euo pipefail
build=${1:-build}
runs=${2:-10}
bench="$build/bench/rtf_bench"
dump="$build/rtfdump"
for prog in "$bench" "$dump"; do
  [[ -x "$prog" ]] || { echo "missing $prog: build the rtf_bench and rtfdump targets first" >&2; exit 1; }
done
command -v unrtf >/dev/null || { echo "unrtf is not installed (Debian package unrtf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page="$work/page.rtf"
"$bench" --write-page="$page" --page-bytes=$((10 * 1024 * 1024))
bytes=$(stat -c %s "$page")

# Wall and CPU (user + system) seconds of one run; the output goes to a
# file, so writing it is part of the cost, as it is for a user.
measure() {
  local TIMEFORMAT='%R %U %S'
  { time "$@" >"$work/out" 2>/dev/null; } 2>&1 | awk '{ printf "%s %.3f\n", $1, $2 + $3 }'
}

# Best of all runs, the two programs taking turns so that both see the same
# load; on a busy machine the CPU figures are the steadier ones.
best_unrtf=(9e9 9e9); best_dump=(9e9 9e9)
keep_best() { # NAME WALL CPU
  local -n best=$1
  best[0]=$(awk "BEGIN { print ($2 < ${best[0]}) ? $2 : ${best[0]} }")
  best[1]=$(awk "BEGIN { print ($3 < ${best[1]}) ? $3 : ${best[1]} }")
}
for ((i = 0; i < runs; i++)); do
  keep_best best_unrtf $(measure unrtf --text "$page")
  keep_best best_dump $(measure "$dump" "$page")
done

calc() { awk "BEGIN { printf \"%.1f\", $1 }"; }
mb=$(calc "$bytes / 1048576")
printf 'page: %d bytes (%s MB), best of %d runs each\n' "$bytes" "$mb" "$runs"
printf '%-14s %8s %8s\n' "" "wall s" "CPU s"
printf '%-14s %8.3f %8.3f\n' "unrtf --text" "${best_unrtf[0]}" "${best_unrtf[1]}"
printf '%-14s %8.3f %8.3f\n' "rtfdump" "${best_dump[0]}" "${best_dump[1]}"
printf 'ratio (unrtf / rtfdump): wall %s, CPU %s\n' \
  "$(calc "${best_unrtf[0]} / ${best_dump[0]}")" "$(calc "${best_unrtf[1]} / ${best_dump[1]}")"
