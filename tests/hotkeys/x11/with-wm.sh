#!/usr/bin/env bash
# Runs a test program on a private Xvfb managed by window manager $1
# (openbox or xfwm4); both end with the program, whose exit code this returns.
set -u
source "$(dirname "$0")/../../support/xserver.sh"
start_x_server
export JW_WORK
wm=$1
shift
if [[ $wm == openbox ]]; then
  start_window_manager || fail "openbox did not start"
else
  command -v "$wm" >/dev/null || fail "$wm is not installed (scripts/install-deps.sh)"
  # xfwm4 reads its settings from xfconfd, which needs a session bus.
  dbus-run-session -- "$wm" --compositor=off --sm-client-disable >/dev/null 2>&1 &
  # Managing the screen once it frames a probe window.
  xmessage -title jw-probe probe >/dev/null 2>&1 &
  wait_until 60 probe_framed || fail "$wm did not start"
  kill $! 2>/dev/null || true
fi
"$@"
