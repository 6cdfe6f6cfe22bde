#!/usr/bin/env bash
# Times `unrtf --text` against our reader on the same generated 10 MB page.
# usage: bench/unrtf-compare.sh [BUILD_DIR]   (default: build)
set -euo pipefail
build=${1:-build}
bench="$build/bench/rtf_bench"
[[ -x "$bench" ]] || { echo "missing $bench: build the rtf_bench target first" >&2; exit 1; }
command -v unrtf >/dev/null || { echo "unrtf is not installed (Debian package unrtf)" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page="$work/page.rtf"
"$bench" --write-page="$page" --page-bytes=$((10 * 1024 * 1024))
bytes=$(stat -c %s "$page")

calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

# Best of three for unrtf, like the reader's best of five.
best=""
for _ in 1 2 3; do
  start=$(date +%s.%N)
  unrtf --text "$page" >/dev/null 2>&1 || true
  end=$(date +%s.%N)
  t=$(calc "$end - $start")
  if [[ -z "$best" ]] || [[ $(calc "($t < $best) ? 1 : 0") == 1.000000 ]]; then best=$t; fi
done
ours=$("$bench" --time-read="$page" --repeat=5)

printf 'page: %d bytes\n' "$bytes"
printf 'unrtf --text: %.3f s (%.1f MB/s)\n' "$best" "$(calc "$bytes / 1048576 / $best")"
printf 'readRtf:      %.3f s (%.1f MB/s)\n' "$ours" "$(calc "$bytes / 1048576 / $ours")"
printf 'ratio (unrtf time / our time): %.1f\n' "$(calc "$best / $ours")"
