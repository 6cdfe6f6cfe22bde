#!/usr/bin/env bash
# Runs a test program on a private Xvfb, managed by openbox with --wm; both
# end with the program, whose exit code this returns.
set -u
source "$(dirname "$0")/xserver.sh"
start_x_server
if [[ ${1:-} == --wm ]]; then
  shift
  start_window_manager || fail "openbox did not start"
fi
"$@"
