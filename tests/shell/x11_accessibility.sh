#!/usr/bin/env bash
# The real program as a screen reader reads it, on a German desktop: AT-SPI on
# a private session bus (accessibility.py says what it checks).
set -euo pipefail
program=$1
source "$(dirname "$0")/../support/xserver.sh"
start_x_server
export LANGUAGE=de QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/accessibility.py" "$program" "$JW_WORK/pages"
