#!/usr/bin/env bash
# Times `rtfdump` end to end against `unrtf --text` on the same generated
# 10 MB page, best of several runs each, and prints the ratio.
# usage: bench/rtfdump-compare.sh [BUILD_DIR] [RUNS]   (defaults: build, 5)
set -euo pipefail
build=${1:-build}
runs=${2:-5}
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

# Best wall time of $runs runs of a command, in seconds; the output goes
# to a file so that writing it is part of the cost, as it is for a user.
best_of() {
  local best="" start end t
  for ((i = 0; i < runs; i++)); do
    start=$(date +%s%N)
    "$@" >"$work/out" 2>/dev/null || true
    end=$(date +%s%N)
    t=$((end - start))
    if [[ -z "$best" || $t -lt $best ]]; then best=$t; fi
  done
  awk "BEGIN { printf \"%.6f\", $best / 1e9 }"
}

# Interleave the two so that both see the same load.
unrtf_best=""; dump_best=""
for ((round = 0; round < 2; round++)); do
  u=$(best_of unrtf --text "$page")
  d=$(best_of "$dump" "$page")
  unrtf_best=$(awk "BEGIN { b = \"$unrtf_best\"; print (b == \"\" || $u < b) ? $u : b }")
  dump_best=$(awk "BEGIN { b = \"$dump_best\"; print (b == \"\" || $d < b) ? $d : b }")
done

calc() { awk "BEGIN { printf \"%.1f\", $1 }"; }
printf 'page: %d bytes, best of %d runs each\n' "$bytes" "$((2 * runs))"
printf 'unrtf --text: %.3f s (%s MB/s)\n' "$unrtf_best" "$(calc "$bytes / 1048576 / $unrtf_best")"
printf 'rtfdump:      %.3f s (%s MB/s)\n' "$dump_best" "$(calc "$bytes / 1048576 / $dump_best")"
printf 'ratio (unrtf time / rtfdump time): %s\n' "$(calc "$unrtf_best / $dump_best")"
