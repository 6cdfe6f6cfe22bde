#!/usr/bin/env bash
# The pad from anywhere: --toggle, --show and --hide reach the running copy,
# and --toggle with no copy running starts one; a hot key of the user's choice
# replaces Alt+V, is kept for the next start, and one held elsewhere is refused.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_desktop
stop() { kill -TERM "$@"; wait "$@" || true; }
pad_says() { local c; for c; do (cd "$pages" && timeout 30 "$program" "$c") || fail "jotwell $c did not end at once"; done; }

(cd "$pages" && QT_LOGGING_RULES=jotwell.hotkeys.info=true exec "$program" --toggle 2>"$JW_WORK/pad.log") &
pad=$!
wait_until 60 shown Jotwell || fail "--toggle with no copy running did not start the pad"
echo "--toggle started the pad"
[[ $(stat -c %a "$XDG_RUNTIME_DIR"/jotwell-*.socket) == 700 ]] || fail "other users may reach the pad's socket"
pad_says --toggle
wait_until 30 shown 'Jotwell Pro' && wait_until 30 hidden Jotwell || fail "--toggle did not swap the windows"
pad_says --show --toggle
wait_until 30 hidden 'Jotwell Pro' && wait_until 30 shown Jotwell || fail "--toggle did not swap back"
pad_says --hide --show
wait_until 30 shown 'Jotwell Pro' || fail "--show did not show the main window"
pad_says --show
shown 'Jotwell Pro' || fail "a second --show hid the main window"
pad_says --hide
wait_until 30 hidden 'Jotwell Pro' && wait_until 30 shown Jotwell || fail "--hide did not hide the main window"
echo "--toggle, --show and --hide reached the running copy"

# The windows of one copy: $1 the process, $2 the exact title.
of() { { xdotool search --all --onlyvisible --pid "$1" --name "^$2\$" 2>/dev/null || true; } | head -n 1; }
main_of() { [[ -n $(of "$1" 'Jotwell Pro') ]]; }
hot_key_open() { [[ -n $(of "$1" 'Hot Key') ]]; }
# Opens Edit > Hot Key... in copy $1, presses $2, then Enter until the window
# closes or the pad logs a refusal (an Enter before the focus reached OK goes
# to the key field, which keeps only the first combination). False when the
# key was refused and the window stays open.
refusals() { grep -c 'was refused' "$JW_WORK/pad.log" || true; }
answered() { ! hot_key_open "$1" || (($(refusals) > $2)); }
choose_key() {
  give_keys "$(of "$1" 'Jotwell Pro')" || fail "the pad did not get the keyboard"
  xdotool key alt+e k
  wait_until 30 hot_key_open "$1" || fail "no Hot Key window"
  give_keys "$(of "$1" 'Hot Key')" || fail "the Hot Key window did not get the keyboard"
  if [[ $2 == click_* ]]; then $2; else xdotool key "$2"; fi
  local before; before=$(refusals)
  local deadline=$((SECONDS + 60))
  while ((SECONDS < deadline)); do
    xdotool key Return
    wait_until 5 answered "$1" "$before" && { ! hot_key_open "$1"; return; }
  done
  fail "the Hot Key window neither closed nor refused the key"
}
settings=$XDG_CONFIG_HOME/jotwell/settings.json

pad_says --show
wait_until 30 main_of "$pad" || fail "--show did not show the main window"
choose_key "$pad" ctrl+alt+j || fail "Ctrl+Alt+J was refused"
wait_until 30 grep -q '"Ctrl+Alt+J"' "$settings" || fail "the chosen key was not kept"
xdotool key ctrl+alt+j
wait_until 30 sh -c "! xdotool search --all --onlyvisible --pid $pad --name '^Jotwell Pro\$'" || fail "Ctrl+Alt+J did not hide the pad"
echo "Ctrl+Alt+J chosen: it swaps the windows"

# Another copy (its own settings) can take Alt+V now, so the pad let it go.
(cd "$pages" && XDG_CONFIG_HOME=$JW_WORK/other exec "$program") &
other=$!
wait_until 60 sh -c "xdotool search --all --onlyvisible --pid $other --name '^Jotwell\$'" >/dev/null || fail "the other copy did not start"
xdotool key alt+v
wait_until 30 main_of "$other" || fail "Alt+V did not reach the other copy"
main_of "$pad" && fail "Alt+V still reached the pad"
echo "Alt+V was released: another copy took it"

# Alt+V is held by the other copy: refused, and Ctrl+Alt+J stays.
xdotool key ctrl+alt+j
wait_until 30 main_of "$pad" || fail "Ctrl+Alt+J did not show the pad"
# Its grab keeps the key itself from the field: the window's Alt+V button
# (bottom left) sets it.
click_standard() {
  local box; box=$(of "$pad" 'Hot Key')
  eval "$(xdotool getwindowgeometry --shell "$box")"
  xdotool mousemove --window "$box" 40 $((HEIGHT - 22)) click 1
}
choose_key "$pad" click_standard && fail "Alt+V was taken although another copy holds it"
grep -q "the hot key Alt+V was refused" "$JW_WORK/pad.log" || fail "the refusal was not for Alt+V"
xdotool key Escape
wait_until 30 sh -c "! xdotool search --all --onlyvisible --pid $pad --name '^Hot Key\$'" || fail "the Hot Key window stayed"
grep -q '"Ctrl+Alt+J"' "$settings" || fail "a refused key was kept"
kill -KILL "$pad" # it leaves its socket behind
stop "$other"
echo "a key held by another program was refused"

(cd "$pages" && exec "$program") &
pad=$!
wait_until 60 shown Jotwell || fail "the pad did not start again"
xdotool key ctrl+alt+j
wait_until 30 main_of "$pad" || fail "Ctrl+Alt+J did not work after a restart"
pad_says --hide
wait_until 30 hidden 'Jotwell Pro' || fail "--hide did not reach a copy started after one was killed"
echo "the chosen key works after a restart"
stop "$pad"

pad_says --hide
[[ -z $(visible Jotwell) ]] || fail "--hide started the pad"
echo PASS
