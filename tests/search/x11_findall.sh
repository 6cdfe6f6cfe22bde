#!/usr/bin/env bash
# Find in All Pages in the real program, with a window manager: Ctrl+Shift+F,
# a word only another page holds, Enter; that page is shown with the word
# selected and the keys in it, so a word typed then takes its place.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_desktop
mkdir -p "$XDG_CONFIG_HOME/jotwell"
echo '{"Jotwell":{"Tabs":[["Welcome","1"],["Notes","2"]]}}' >"$XDG_CONFIG_HOME/jotwell/settings.json"
printf 'The zebra sleeps.' >"$pages/Welcome.rtf"
printf 'Nothing striped here.' >"$pages/Notes.rtf"

(cd "$pages" && exec "$program") &
wait_until 60 shown Jotwell || fail "the pad did not start"
(cd "$pages" && timeout 30 "$program" --show) || fail "--show did not reach the pad"
wait_until 30 shown 'Jotwell Pro' || fail "no main window"
main=$(visible 'Jotwell Pro')
xdotool windowactivate --sync "$main" 2>/dev/null || true
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
wait_until 30 active "$main" || fail "the main window did not take the keys"

xdotool key ctrl+shift+f
wait_until 30 shown 'Find in All Pages' || fail "Ctrl+Shift+F did not open the panel"
panel=$(visible 'Find in All Pages')
wait_until 30 active "$panel" || fail "the panel did not take the keys"
xdotool type --delay 30 zebra
xdotool key Return
wait_until 30 active "$main" || fail "Enter did not give the keys back to the main window"
xdotool type --delay 30 horse
xdotool key ctrl+s
wait_until 30 grep -q 'The horse sleeps' "$pages/Welcome.rtf" || fail "the hit was not selected with the keys in its page: $(cat "$pages/Welcome.rtf")"
grep -q 'Nothing striped here' "$pages/Notes.rtf" || fail "the page left changed"
echo "Ctrl+Shift+F, zebra, Enter: Welcome shown with the word selected and the keys in it"
