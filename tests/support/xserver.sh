# Sourced by the X11 test scripts: starts a private Xvfb on a free display
# and stops it (and everything the script started) when the script ends.
start_x_server() {
  JW_WORK=$(mktemp -d)
  # The pad saves on SIGTERM: wait for it before the folder goes.
  trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$JW_WORK"' EXIT
  export XDG_CONFIG_HOME=$JW_WORK/config XDG_RUNTIME_DIR=$JW_WORK/run
  mkdir -p "$JW_WORK/pages" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  # -noreset: by default the server resets when its last client leaves, and
  # refuses connections meanwhile (the accessibility bus connects and leaves).
  Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$JW_WORK/display" 2>/dev/null &
  for _ in $(seq 100); do [[ -s "$JW_WORK/display" ]] && break; sleep 0.1; done
  [[ -s "$JW_WORK/display" ]] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=:$(head -n 1 "$JW_WORK/display") QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
  # The number comes as the server starts listening; a client is let in a
  # moment later on a busy machine, so the first one must not be the pad.
  wait_until 30 xdpyinfo >/dev/null 2>&1 || { echo "FAIL: Xvfb takes no clients on $DISPLAY"; exit 1; }
}

# Starts openbox and waits until it manages the screen: until it frames a
# probe window. Its announcement on the root window comes earlier, and a
# window mapped while it starts up can be left unmanaged, so a probe that is
# not framed in time is replaced by a new one.
start_window_manager() {
  openbox --sm-disable >/dev/null 2>&1 &
  local probe patience
  for patience in 3 6 12 24; do
    xmessage -title jw-probe probe >/dev/null 2>&1 &
    probe=$!
    wait_until $patience probe_framed && patience=0
    kill $probe 2>/dev/null || true; wait $probe 2>/dev/null || true
    ((patience)) || return 0
  done
  return 1
}
# The X server and openbox, with the pages folder in $pages.
start_desktop() {
  start_x_server
  start_window_manager || fail "openbox did not start"
  pages=$JW_WORK/pages
}
probe_framed() {
  local w
  w=$(xdotool search --name '^jw-probe$' 2>/dev/null | head -n 1)
  [[ -n $w ]] && xprop -id "$w" _NET_FRAME_EXTENTS 2>/dev/null | grep -q =
}

fail() {
  echo "FAIL: $*"
  # JW_SHOT=file.png keeps a picture of the screen at the failure.
  [[ -z ${JW_SHOT:-} ]] || import -window root "$JW_SHOT" 2>/dev/null || true
  exit 1
}

# Runs "$@" until it succeeds or $1 seconds have passed.
wait_until() {
  local seconds=$1; shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.1
  done
}

# The first viewable window named exactly $1, if any.
visible() { { xdotool search --onlyvisible --name "^$1\$" 2>/dev/null || true; } | head -n 1; }

# The first viewable window of _NET_WM_WINDOW_TYPE $1 (DIALOG, (DROPDOWN|POPUP)_MENU ...), if any.
visible_of_type() {
  local w
  for w in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -qE "_NET_WM_WINDOW_TYPE_$1" && { echo "$w"; return 0; }
  done
  return 1
}
shown() { [[ -n $(visible "$1") ]]; }
hidden() { [[ -z $(visible "$1") ]]; }

# Whether window $1 has the X server's keyboard focus: keys sent from then
# on reach it, after the news of the focus.
has_keys() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
# Activates window $1 and waits until it has the keys; the window manager
# may let a request go by while it is busy, so it is asked again.
give_keys() {
  local _
  for _ in 1 2 3; do
    xdotool windowactivate "$1" 2>/dev/null || true
    wait_until 20 has_keys "$1" && return 0
  done
  return 1
}
