#!/usr/bin/env bash
# Before committing: the house format (.clang-format) on the C++ files that
# differ from main, or on the files named; with --fix they are rewritten.
# clang-tidy (.clang-tidy) runs on the same files when the build folder has a
# compile_commands.json (cmake -DCMAKE_EXPORT_COMPILE_COMMANDS=ON).
set -euo pipefail
cd "$(dirname "$0")/.."
fix=0
[[ ${1:-} == --fix ]] && { fix=1; shift; }
build=${BUILD:-build}
if (($#)); then files=("$@"); else
  mapfile -t files < <({ git diff --name-only --diff-filter=d main -- '*.cpp' '*.h'; git ls-files -mo --exclude-standard -- '*.cpp' '*.h'; } | sort -u)
fi
((${#files[@]})) || { echo "no C++ files changed"; exit 0; }
status=0
if ((fix)); then
  clang-format -i "${files[@]}"
else
  clang-format --dry-run -Werror "${files[@]}" || status=1
fi
if [[ -f $build/compile_commands.json ]]; then
  mapfile -t sources < <(printf '%s\n' "${files[@]}" | grep '\.cpp$' || true)
  ((${#sources[@]})) && { clang-tidy -p "$build" --quiet "${sources[@]}" 2>/dev/null || status=1; }
fi
exit $status
