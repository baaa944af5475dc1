#!/usr/bin/env bash
# Runs a command on a virtual X server of its own (Xvfb, on the first free display) under a real
# window manager (openbox), with the xcb platform, and tears both down afterwards. The command's
# exit status is the script's. Used by the window tests and for screenshots, e.g.
#   scripts/with-window-manager.sh build/tests/window/tst_window
#   scripts/with-window-manager.sh sh -c 'build/tools/kvt --home DIR & sleep 3; import -window root shot.png'
set -euo pipefail

SCREEN="${KVT_SCREEN:-1280x900x24}"
READY_TIMEOUT_S=20

work="$(mktemp -d)"
xvfb_pid=""
wm_pid=""
cleanup() {
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Waits until the condition command succeeds, polling; fails after READY_TIMEOUT_S seconds.
wait_for() {
  local what="$1"
  shift
  local deadline=$((SECONDS + READY_TIMEOUT_S))
  until "$@"; do
    if [ "$SECONDS" -ge "$deadline" ]; then
      echo "with-window-manager: no $what after ${READY_TIMEOUT_S} s" >&2
      return 1
    fi
    sleep 0.05
  done
}

# Xvfb chooses a free display itself and writes its number once it accepts clients.
Xvfb -displayfd 3 -screen 0 "$SCREEN" -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
wait_for "X server" grep -qs . "$work/display"
export DISPLAY=":$(head -n1 "$work/display")"

openbox --sm-disable >"$work/openbox.log" 2>&1 &
wm_pid=$!
# The window manager is ready once it has announced itself on the root window.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"; }
wait_for "window manager" wm_ready

export QT_QPA_PLATFORM=xcb
set +e
"$@"
status=$?
set -e
exit "$status"
