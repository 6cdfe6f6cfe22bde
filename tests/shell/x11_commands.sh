#!/usr/bin/env bash
# The pad from anywhere: --toggle, --show and --hide reach the running copy,
# and --toggle with no copy running starts one.
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_x_server
start_window_manager || fail "openbox did not start"
pages=$JW_WORK/pages
pad_says() { (cd "$pages" && timeout 30 "$program" "$@") || fail "jotwell $* did not end at once"; }

(cd "$pages" && exec "$program" --toggle) &
pad=$!
wait_until 60 shown Jotwell || fail "--toggle with no copy running did not start the pad"
echo "--toggle started the pad"
pad_says --toggle
wait_until 30 shown 'Jotwell Pro' && wait_until 30 hidden Jotwell || fail "--toggle did not swap the windows"
pad_says --show
pad_says --toggle
wait_until 30 hidden 'Jotwell Pro' && wait_until 30 shown Jotwell || fail "--toggle did not swap back"
pad_says --hide
pad_says --show
wait_until 30 shown 'Jotwell Pro' || fail "--show did not show the main window"
pad_says --show
shown 'Jotwell Pro' || fail "a second --show hid the main window"
pad_says --hide
wait_until 30 hidden 'Jotwell Pro' && wait_until 30 shown Jotwell || fail "--hide did not hide the main window"
echo "--toggle, --show and --hide reached the running copy"
kill -TERM "$pad"
wait "$pad" || true
pad_says --hide
[[ -z $(visible Jotwell) ]] || fail "--hide started the pad"
echo PASS
