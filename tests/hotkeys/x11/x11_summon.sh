#!/usr/bin/env bash
# Summon and type, in the real program under window manager $1 (openbox or
# xfwm4): another client has the keyboard after a click and some typing;
# Alt+V shows the pad and what is typed lands on the page; Alt+V again gives
# the keyboard back to the other client. Then the same through --toggle with
# a launcher's startup id. Run by with-wm.sh.
set -euo pipefail
program=$1
source "$(dirname "$0")/../../support/xserver.sh"
pages=$JW_WORK/pages
active() { xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//'; }
is_active() { [[ $(( $(active) )) == $(( $1 )) ]]; }
page_has() { grep -q "$1" "$pages/Notes.rtf"; }

xmessage -title jw-other -geometry 300x150+600+500 "another program" >/dev/null 2>&1 &
wait_until 30 shown jw-other || fail "no other client"
other=$(visible jw-other)
(cd "$pages" && exec "$program") &
pad=$!
wait_until 60 shown Jotwell || fail "the pad did not start"
xdotool mousemove --window "$other" 20 20 click 1
wait_until 30 is_active "$other" || fail "the other client did not get the keyboard"
xdotool type --delay 20 abc

for round in 1 2; do
  xdotool key alt+v
  wait_until 30 shown 'Jotwell Pro' || fail "Alt+V did not show the pad"
  wait_until 30 is_active "$(visible 'Jotwell Pro')" || fail "round $round: the pad shown by Alt+V has not the keyboard"
  xdotool type --delay 20 "word$round"
  xdotool key ctrl+s
  wait_until 30 page_has "word$round" || fail "round $round: the typed text did not land on the page"
  xdotool key alt+v
  wait_until 30 hidden 'Jotwell Pro' || fail "Alt+V did not hide the pad"
  wait_until 30 is_active "$other" || { xprop -id "$(active)" WM_NAME; fail "round $round: the keyboard did not go back to the other client"; }
  echo "round $round: Alt+V brought the keyboard, the words landed, Alt+V gave it back"
done

# A desktop shortcut bound to --toggle: its startup id carries the key's time.

(cd "$pages" && DESKTOP_STARTUP_ID="jw-test_TIME0" timeout 30 "$program" --toggle) || fail "--toggle did not end"
wait_until 30 shown 'Jotwell Pro' || fail "--toggle did not show the pad"
wait_until 30 is_active "$(visible 'Jotwell Pro')" || fail "the pad shown by --toggle has not the keyboard"
echo "--toggle brought the keyboard"
kill -TERM "$pad"; wait "$pad" || true
echo PASS
