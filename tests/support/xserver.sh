# Sourced by the X11 test scripts: starts a private Xvfb on a free display
# and stops it (and everything the script started) when the script ends.
start_x_server() {
  JW_WORK=$(mktemp -d)
  # The pad saves on SIGTERM: wait for it before the folder goes.
  trap 'kill $(jobs -p) 2>/dev/null || true; wait; rm -rf "$JW_WORK"' EXIT
  export XDG_CONFIG_HOME=$JW_WORK/config XDG_RUNTIME_DIR=$JW_WORK/run
  mkdir -p "$JW_WORK/pages" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$JW_WORK/display" 2>/dev/null &
  for _ in $(seq 100); do [[ -s "$JW_WORK/display" ]] && break; sleep 0.1; done
  [[ -s "$JW_WORK/display" ]] || { echo "FAIL: Xvfb did not start"; exit 1; }
  export DISPLAY=:$(head -n 1 "$JW_WORK/display") QT_QPA_PLATFORM=xcb
  unset WAYLAND_DISPLAY
}
