#!/usr/bin/env bash
# Random trials against the real pad: typing, switching, saving, faults in
# page reads, writes, fsync and renames, an outside writer renaming versions
# in, and kill -9, SIGTERM or Exit at a random moment. After each trial a
# clean start recovers what the journal holds; then every word typed or
# written in must be in some file. Prints trials, failures and words lost.
# Usage: torture.sh PROGRAM FAULTINJECT.so SEED TRIALS
# TORTURE_LOGS=folder keeps each failed trial's log and page folder listing there.
set -uo pipefail
program=$1 shim=$2 seed=$3 trials=$4
source "$(dirname "$0")/faultpad.sh"
fail() { echo "trial $trial: $*"; echo "torture: FAIL $*" >>"$JW_WORK/stderr"; failed=1; }
note() { echo "torture: $*" >>"$JW_WORK/stderr"; }
RANDOM=$seed
faults=("" "read=EIO@/pages/%30" "write=ENOSPC@/pages/%30" "fsync=EIO@/pages/%40" "rename=EIO@/pages/%40"
        "exchange=EINVAL@/pages/" "race=incoming@/pages/Notes.rtf")
words=() failures=0 lost=0

# Like a sync tool, the outside writer makes its version from the page file
# as it is (the word added at the end) and renames it in only while the file
# is still that one: it never throws away a version it did not see. Under the
# race rule the injector is Notes' outside writer, so this one takes Welcome.
outside_writer() {
  local page word="outside${trial}x$1" file seen
  page=$([[ $((RANDOM % 2)) == 0 ]] && echo Notes || echo Welcome)
  [[ $rules == race* ]] && page=Welcome
  file="$pages/$page.rtf"
  seen=$(stat -c '%i %s %y' "$file" 2>/dev/null)
  sed '$ s/}[[:space:]]*$/ '"$word"'}/' "$file" >"$pages/incoming.tmp" 2>/dev/null
  grep -qF "$word" "$pages/incoming.tmp" || rtf "$word" >"$pages/incoming.tmp"
  if [[ $(stat -c '%i %s %y' "$file" 2>/dev/null) != "$seen" ]]; then
    rm -f "$pages/incoming.tmp"; note "outside $word onto $page: the page changed meanwhile, not written"; return
  fi
  mv "$pages/incoming.tmp" "$file"
  words+=("$word")
  note "outside $word onto $page"
}
# A save (Ctrl+S, or the one a switch makes) ends with the typing in a file or
# a box saying why; keys typed before the box opens would go to it.
settle_save() { [[ -z $unsaved ]] || wait_until 10 saved_or_told || true; unsaved=; }
saved_or_told() { box_open || kept "$typed"; }
# Answers whatever box is open (Return), so that no question holds the pad.
clear_boxes() { while box_open; do press_in_box Return; sleep 0.2; done; }

for ((trial = 1; trial <= trials; trial++)); do
  failed=0
  : >"$JW_WORK/stderr"
  rules=${faults[RANDOM % ${#faults[@]}]} typed= unsaved=
  [[ $rules == race* ]] && rtf "outside${trial}race" >"$pages/incoming" && words+=("outside${trial}race")
  export JW_FAULT_SEED=$RANDOM
  start_pad "$rules" 2>/dev/null || { fail "did not start"; failures=$((failures + 1)); continue; }
  clear_boxes
  show_main 2>/dev/null
  for ((step = 1; step <= 3 + RANDOM % 4; step++)); do
    case $((RANDOM % 5)) in
      0|1) typed="typed${trial}x$step"; note "type $typed"; xdotool type --delay 15 " $typed"; words+=("$typed"); unsaved=1 ;;
      2) note "next page"; xdotool key ctrl+Next; settle_save ;;
      3) note "save"; xdotool key ctrl+s; settle_save ;;
      4) outside_writer "$step" ;;
    esac
    clear_boxes
    xdotool windowactivate --sync "$(visible 'Jotwell Pro')" 2>/dev/null || true
  done
  case $((RANDOM % 3)) in
    0) note "kill -9" #  once the journal holds the last words: a crash may lose only seconds
       [[ -z $typed ]] || wait_until 15 journaled "$typed" || true
       sleep "0.$((RANDOM % 10))"; stop_pad KILL ;;
    1) note "SIGTERM"; stop_pad TERM; end_pad ;;
    2) note "Exit"; xdotool key ctrl+q; end_pad ;;
  esac
  kill -0 "$pad" 2>/dev/null && stop_pad KILL
  note "clean start"
  # A clean start takes back what the journal holds, and Exit saves it.
  start_pad "" 2>/dev/null
  while wait_until 3 box_open; do press_in_box alt+r; sleep 0.3; done
  show_main 2>/dev/null; xdotool key ctrl+q; end_pad
  for word in "${words[@]}"; do
    kept "$word" || journaled "$word" || grep -rqsF "$word" "$XDG_STATE_HOME" || { fail "lost $word"; lost=$((lost + 1)); }
  done
  words=()
  if ((failed)); then
    failures=$((failures + 1))
    [[ -z ${TORTURE_LOGS:-} ]] || { mkdir -p "$TORTURE_LOGS"; { echo "rules: $rules"; cat "$JW_WORK/stderr"; grep -r . "$pages" "$XDG_STATE_HOME"; } >"$TORTURE_LOGS/trial-$trial.log"; }
  fi
done
printf '%-8s %-8s %-10s\n' trials failures "words lost" "$trials" "$failures" "$lost"
((lost == 0))
