#!/usr/bin/env bash
# Checks that no source folder includes a header of a folder above it: the
# order is the add_subdirectory order of src/CMakeLists.txt, lowest first.
# Prints every include that breaks it; exits non-zero when there is one.
set -euo pipefail
src=$(cd "$(dirname "$0")/../src" && pwd)
mapfile -t order < <(sed -n 's/^add_subdirectory(\([^)]*\))/\1/p' "$src/CMakeLists.txt")

rank() { # the rank of the deepest listed folder holding path $1
  local best=-1 i
  for i in "${!order[@]}"; do
    case "$1/" in "${order[$i]}/"*) best=$i ;; esac
  done
  echo "$best"
}

status=0
while IFS= read -r file; do
  rel=${file#"$src"/}
  own=$(rank "$(dirname "$rel")")
  while IFS= read -r header; do
    theirs=$(rank "$(dirname "$header")")
    if (( theirs > own )); then
      echo "$rel includes $header, a folder above its own"
      status=1
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(find "$src" -name '*.cpp' -o -name '*.h')
exit $status
