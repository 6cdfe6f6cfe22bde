# Sourced by the fault scripts: the real pad under Xvfb and openbox, with
# faults injected by tools/faultinject.c (LD_PRELOAD, rules in JW_FAULTS).
program=$(realpath "$program") shim=$(realpath "$shim")
source "$(dirname "${BASH_SOURCE[0]}")/../tests/support/xserver.sh"
start_x_server
start_window_manager || fail "openbox did not start"
pages=$JW_WORK/pages
export XDG_STATE_HOME=$JW_WORK/state

# Starts the pad in $pages with the fault rules $1 and waits for its first window.
start_pad() {
  (cd "$pages" && exec env LD_PRELOAD="$shim" JW_FAULTS="${1:-}" "$program" 2>>"$JW_WORK/stderr") &
  pad=$!
  wait_until 60 shown Jotwell || fail "the pad did not start (rules: ${1:-none})"
}
show_main() {
  xdotool key alt+v
  wait_until 30 shown 'Jotwell Pro' || fail "Alt+V did not show the main window"
  xdotool windowactivate --sync "$(visible 'Jotwell Pro')" 2>/dev/null || true
}
box_open() { visible_of_type DIALOG >/dev/null; }
# Presses $1 in the open box, if one is still open.
press_in_box() {
  local box
  box=$(visible_of_type DIALOG) || return 0
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key "$1" 2>/dev/null || true
}
# Answers the next message box with the key $1; fails when none comes.
answer() {
  wait_until 30 box_open || fail "no message box appeared ($2)"
  local box; box=$(visible_of_type DIALOG)
  xdotool windowactivate --sync "$box" 2>/dev/null || true
  xdotool key "$1"
  wait_until 30 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "the box stayed open"
}
stop_pad() { kill "-$1" "$pad" 2>/dev/null || true; wait "$pad" 2>/dev/null || true; }
# Waits until the pad has ended, answering any box with Return.
end_pad() {
  local deadline=$((SECONDS + 30))
  while kill -0 "$pad" 2>/dev/null && ((SECONDS < deadline)); do
    press_in_box Return
    sleep 0.2
  done
  stop_pad KILL
}
rtf() { printf '{\\rtf1\\ansi %s}' "$1"; }
# Whether some page file of the folder holds the words $1.
kept() { grep -rlsF -- "$1" "$pages" >/dev/null; }
# Only whole entries count: a write cut short leaves its text under a temporary name.
journaled() { grep -rqsF --include="*.recovery" -- "$1" "$XDG_STATE_HOME/jotwell/recovery" --exclude-dir=declined; }
