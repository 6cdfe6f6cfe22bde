#!/usr/bin/env bash
# The faults the pad once mishandled, each injected into the real program:
# every word stays in some file and every failure is said.
# Usage: faults.sh PROGRAM FAULTINJECT.so
set -euo pipefail
program=$1 shim=$2
source "$(dirname "$0")/../../tools/faultpad.sh"

# 1. A read of the page fails once at start: the page shows empty, the user
# types and leaves; the old text must not be written over.
rtf "years of notes" >"$pages/Notes.rtf"
start_pad "read=EIO@/pages/Notes.rtf#0,1"
answer Return "the failed read"
show_main
xdotool type --delay 20 "new words"
xdotool key ctrl+q
end_pad
kept "years of notes" || fail "1: the unread page was written over"
kept "new words" || fail "1: the typing was lost"
echo "1: a page whose read failed kept its text, and the typing was kept too"

# 2. An outside writer renames its version in at the moment of the save,
# also where the file system cannot exchange two files in one step.
for extra in "" ";exchange=EINVAL@/pages/"; do
  rtf "outside version ${#extra}" >"$pages/incoming"
  start_pad "race=incoming@/pages/Notes.rtf$extra"
  show_main
  xdotool type --delay 20 "racing words ${#extra}"
  xdotool key ctrl+s
  answer Return "the version kept aside"
  stop_pad TERM
  kept "outside version ${#extra}" || fail "2: the outside version was lost ($extra)"
  kept "racing words ${#extra}" || fail "2: the typing was lost ($extra)"
done
echo "2: a version renamed in during the save was kept beside the page"

# 3. A signal while the recovery question is open leaves the entry.
start_pad
show_main
xdotool type --delay 20 "crash words"
wait_until 30 journaled "crash words" || fail "3: nothing was journaled"
stop_pad KILL
start_pad
wait_until 30 box_open || fail "3: no recovery question"
stop_pad TERM
journaled "crash words" || fail "3: the entry was shelved without an answer"
start_pad
answer alt+r "the recovery question, asked again"
stop_pad TERM
grep -qF "crash words" "$pages/Notes.rtf" || fail "3: the recovered text did not reach the page"
echo "3: a signal during the recovery question left the entry, and the next start asked again"

# 4. The journal cannot be written: said, not only logged.
start_pad "write=ENOSPC@/recovery/"
show_main
xdotool type --delay 20 "unjournaled words"
answer Return "the journal failure"
stop_pad TERM
kept "unjournaled words" || fail "4: the typing was lost"
echo "4: a journal write that failed was said"

# 5. A page title that cannot be a file name does not stop the pad.
mkdir -p "$XDG_CONFIG_HOME/jotwell"
printf '{"Jotwell": {"Tabs": [["Notes", "1"], ["a/b", "2"]]}}' >"$XDG_CONFIG_HOME/jotwell/settings.json"
start_pad
answer Return "the title left out"
show_main
xdotool key ctrl+q
end_pad
grep -qF '"a/b"' "$XDG_CONFIG_HOME/jotwell/settings.json" || fail "5: the entry of the hostile title was dropped"
echo "5: a title that cannot be a file name was left out with a message and kept in the settings"

# 6. A second start meets a copy that does not answer: it says so within seconds.
# Without the hostile title, so that the only box is the second start's.
rm "$XDG_CONFIG_HOME/jotwell/settings.json"
start_pad
kill -STOP "$pad"
started=$SECONDS
(cd "$pages" && exec "$program" 2>"$JW_WORK/second") &
second=$!
wait_until 20 box_open || fail "6: the second start said nothing"
((SECONDS - started < 10)) || fail "6: the second start waited $((SECONDS - started)) s"
# Answered until it ends: a key sent before the box had the keyboard is lost.
answered_second() { ! kill -0 "$second" 2>/dev/null || { press_in_box Return; sleep 0.5; false; }; }
wait_until 30 answered_second || fail "6: the second start did not end after its box"
wait "$second" && fail "6: the second start claimed to have handed over"
grep -q "not answering" "$JW_WORK/second" || fail "6: the second start did not say why it ended"
kill -CONT "$pad"
stop_pad TERM
echo "6: a second start said that the running copy does not answer, and ended"
echo PASS
