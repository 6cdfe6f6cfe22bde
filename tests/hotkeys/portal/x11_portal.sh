#!/usr/bin/env bash
# Where the pad cannot grab its hot key (here another copy holds Alt+V), it
# asks the desktop's global-shortcuts service, played by a stand-in on a
# private session bus; the service's Activated signal swaps the windows.
set -euo pipefail
program=$1
here=$(dirname "$0")
source "$here/../../support/xserver.sh"
start_desktop
log=$JW_WORK/portal.log

# A copy of its own (own settings, no session bus) takes Alt+V first.
(cd "$pages" && XDG_CONFIG_HOME=$JW_WORK/other DBUS_SESSION_BUS_ADDRESS= exec "$program") &
holder=$!
wait_until 60 shown Jotwell || fail "the first copy did not start"

dbus-daemon --session --nofork --print-address=3 3>"$JW_WORK/bus" 2>/dev/null &
wait_until 30 test -s "$JW_WORK/bus" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$JW_WORK/bus")
/usr/bin/python3 "$here/standin.py" "$log" &
wait_until 30 grep -q ready "$log" || fail "the stand-in did not start"

(cd "$pages" && exec "$program") &
pad=$!
wait_until 60 grep -q '^BindShortcuts JotwellVisible "Show or hide Jotwell Pro" ALT+v$' "$log" \
  || { cat "$log"; fail "the pad did not bind its shortcut through the service"; }
echo "the pad asked the service for Alt+V: $(grep BindShortcuts "$log")"

main_of() { xdotool search --all --onlyvisible --pid "$1" --name '^Jotwell Pro$' >/dev/null 2>&1; }
standin() { dbus-send --session --print-reply --dest=org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop "org.jotwell.Test.$1" "${@:2}" >/dev/null; }
press() { standin Press string:"$1"; }
wait_until 60 sh -c "xdotool search --all --onlyvisible --pid $pad --name '^Jotwell\$'" >/dev/null || fail "no mini window"
press JotwellVisible
wait_until 30 main_of "$pad" || fail "Activated did not show the main window"
press SomethingElse # another shortcut of the session: no swap
press JotwellVisible
wait_until 30 sh -c "! xdotool search --all --onlyvisible --pid $pad --name '^Jotwell Pro\$'" >/dev/null \
  || fail "Activated did not hide the main window"
main_of "$holder" && fail "the other copy reacted"
echo "Activated swapped the windows"

# A desktop that turns the session down: the pad says why.
kill "$pad"; wait "$pad" || true
standin Refuse
(cd "$pages" && QT_LOGGING_RULES=jotwell.hotkeys.info=true exec "$program" 2>"$JW_WORK/refused.log") &
wait_until 60 grep -q 'from the desktop either: "the desktop did not open a shortcut session"' "$JW_WORK/refused.log" || { cat "$JW_WORK/refused.log"; fail "no reason for the refusal"; }
echo PASS
