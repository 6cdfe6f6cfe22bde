#!/usr/bin/env bash
# The real program under a window manager: 50 shrink/expand round trips by the
# buttons and 10 restarts leave both windows where they started (within a
# pixel); a main window minimised from its title bar comes back by Alt+V.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_x_server
work=$JW_WORK
start_window_manager || fail "openbox did not start"
mkdir -p "$work/config/jotwell"
echo '{"Jotwell":{"Position":[["Top","3300"],["Left","3000"]]}}' >"$work/config/jotwell/settings.json"

wait_for() { wait_until 30 "$2" "$1" || fail "window '$1' is not $2"; }
# Client geometry "x y w h" of the shown window named $1, once it stands still.
geometry() {
  local id last= now
  id=$(visible "$1")
  for _ in $(seq 50); do
    now=$(xwininfo -id "$id" | awk '/Absolute upper-left X/{x=$NF}/Absolute upper-left Y/{y=$NF}/Width:/{w=$NF}/Height:/{h=$NF}END{print x,y,w,h}')
    [[ $now == "$last" ]] && break
    last=$now; sleep 0.1
  done
  echo "$now"
}
near() { # two geometries within one pixel
  local a=($1) b=($2) i
  for i in 0 1 2 3; do (( ${a[i]} - ${b[i]} <= 1 && ${b[i]} - ${a[i]} <= 1 )) || return 1; done
}
start() { (cd "$work/pages" && exec "$program") & pid=$!; wait_for Jotwell shown; }
expand() { # the mini window's button stands at its right end
  local w; w=$(geometry Jotwell | cut -d' ' -f3)
  xdotool mousemove --window "$(visible Jotwell)" $((w - 16)) 10 click 1; wait_for "Jotwell Pro" shown
}
shrink() {
  local main w
  main=$(visible "Jotwell Pro"); w=$(geometry "Jotwell Pro" | cut -d' ' -f3)
  xdotool mousemove --window "$main" $((w - 14)) 32 click 1; wait_for Jotwell shown
}

start
mini0=$(geometry Jotwell); expand; main0=$(geometry "Jotwell Pro")
echo "start: mini $mini0, main $main0"
# Top 3300 and Left 3000 twips are the frame's corner (220, 200 pixels at 96 DPI).
extents=($(xprop -id "$(visible "Jotwell Pro")" _NET_FRAME_EXTENTS | tr -dc '0-9 '))
corner=($main0)
(( corner[0] - extents[0] == 200 && corner[1] - extents[2] == 220 )) || fail "frame not at 200,220: $main0 ${extents[*]}"
for i in $(seq 50); do shrink; expand; done
near "$(geometry "Jotwell Pro")" "$main0" || fail "main window after 50 round trips: $(geometry "Jotwell Pro")"
shrink
near "$(geometry Jotwell)" "$mini0" || fail "mini window after 50 round trips: $(geometry Jotwell)"
echo "50 round trips: both windows stood still"
for i in $(seq 10); do kill "$pid"; wait "$pid" || true; start; done
near "$(geometry Jotwell)" "$mini0" || fail "mini window after 10 restarts: $(geometry Jotwell)"
expand
near "$(geometry "Jotwell Pro")" "$main0" || fail "main window after 10 restarts: $(geometry "Jotwell Pro")"
echo "10 restarts: both windows stood still"

xdotool windowminimize "$(visible "Jotwell Pro")"
wait_for "Jotwell Pro" hidden
xdotool key alt+v
wait_for "Jotwell Pro" shown
xprop -id "$(visible "Jotwell Pro")" _NET_WM_STATE | grep -qv HIDDEN || fail "still minimised"
echo "minimised from the title bar: Alt+V restores the main window"
echo PASS
