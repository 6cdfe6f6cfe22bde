#!/usr/bin/env bash
# Starts the real program on a real X server in an empty folder and checks
# that its window maps and the current page's file appears.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_x_server
work=$JW_WORK

(cd "$work/pages" && exec "$program") &

for _ in $(seq 100); do
  [[ -f "$work/pages/Notes.rtf" ]] && ids=$(xdotool search --onlyvisible --name '^Jotwell' 2>/dev/null) && [[ -n "$ids" ]] && break
  sleep 0.1
done
[[ -f "$work/pages/Notes.rtf" ]] || { echo "FAIL: Notes.rtf was not created"; exit 1; }
[[ -n "${ids:-}" ]] || { echo "FAIL: no window of the program is mapped"; exit 1; }
for id in $ids; do
  xwininfo -id "$id" | grep -q 'Map State: IsViewable' && { echo "window $id mapped: $(xdotool getwindowname "$id")"; exit 0; }
done
echo "FAIL: window not viewable"; exit 1
