#!/usr/bin/env bash
# The real program against what ends it: SIGTERM saves as Exit does, kill -9
# leaves the typed text in the recovery journal for the next start, a second
# start hands over to the running copy (also after a copy died), and a page
# its user cannot read survives every way of leaving it.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_desktop
export XDG_STATE_HOME=$JW_WORK/state

# Starts the pad in $pages (as user $1 when given) and waits for the mini window.
start_pad() {
  (cd "$pages" && exec ${1:+setpriv --reuid="$1" --regid=nogroup --clear-groups} "$program") &
  pad=$!
  wait_until 60 shown Jotwell || fail "the mini window did not appear"
}
show_main() {
  xdotool key alt+v
  wait_until 30 shown 'Jotwell Pro' || fail "Alt+V did not show the main window"
  give_keys "$(visible 'Jotwell Pro')" || fail "the pad did not get the keyboard"
}
# Answers the next question box with the key $1.
answer() {
  wait_until 30 visible_of_type DIALOG >/dev/null || fail "no question box appeared"
  local box; box=$(visible_of_type DIALOG)
  give_keys "$box" || fail "the question box did not get the keyboard"
  xdotool key "$1"
  wait_until 30 sh -c "! xwininfo -id $box 2>/dev/null | grep -q IsViewable" || fail "the box stayed open"
}
stop_pad() { kill "-$1" "$pad"; wait "$pad" || true; }
start_unreadable() { start_pad nobody; answer Return; show_main; } # "could not be read ... will not be written"
page_has() { grep -q "$1" "$pages/Notes.rtf"; }

start_pad
show_main
xdotool type --delay 30 "typed before logout"
# Once journaled the pad has every key; only the page file is checked after.
wait_until 30 grep -rqs "typed before logout" "$XDG_STATE_HOME/jotwell/recovery" || fail "the typing did not arrive"
stop_pad TERM
page_has "typed before logout" || fail "SIGTERM lost the typed text"
echo "SIGTERM: the page was saved"

start_pad
show_main
xdotool type --delay 30 "typed before the crash"
# A whole entry: a write cut short by the kill leaves its text only under a temporary name.
wait_until 30 grep -rqs --include="*.recovery" "typed before the crash" "$XDG_STATE_HOME/jotwell/recovery" || fail "nothing was journaled"
stop_pad KILL
page_has "typed before the crash" && fail "the page file was written although the pad was killed"
start_pad # over the dead copy's socket
answer alt+r
(cd "$pages" && timeout 30 "$program") || fail "the second start did not hand over and end"
wait_until 30 shown 'Jotwell Pro' || fail "the running copy did not show its main window"
stop_pad TERM
page_has "typed before the crash" || fail "the recovered text did not reach the page"
echo "kill -9: the next start took the dead copy's socket and kept the journaled text; a second start handed over"

# A page whose file its user may write but not read (root reads anything).
chown -R nobody:nogroup "$JW_WORK"
chmod 200 "$pages/Notes.rtf"
export XDG_CONFIG_HOME=$JW_WORK/nobody-config XDG_STATE_HOME=$JW_WORK/nobody-state
before=$(md5sum < "$pages/Notes.rtf")
start_unreadable
xdotool key ctrl+s
xdotool key ctrl+Prior # to Welcome, leaving the page
xdotool key ctrl+Next  # and back: it is read, and said, again
answer Return
main=$(visible 'Jotwell Pro')
eval "$(xdotool getwindowgeometry --shell "$main")"
xdotool mousemove --window "$main" $((WIDTH - 14)) 32 click 1 # the shrink button
wait_until 30 hidden 'Jotwell Pro' || fail "the shrink button did not hide the main window"
show_main
xdotool key ctrl+q # Exit
wait "$pad" || true
start_unreadable
xdotool key alt+F4 # the close box's way out
wait "$pad" || true
[[ $(md5sum < "$pages/Notes.rtf") == "$before" ]] || fail "the unreadable page file was written"
echo "an unreadable page survived Save, a tab switch, the shrink button, Exit and the close box unchanged"
echo PASS
