#!/usr/bin/env bash
# Installs what is missing, builds, and starts the console on a ready demo instance.
# The instance is made afresh in build/demo-instance from examples/; the repository itself is
# never modified. Without a display the console starts under a virtual X server (Xvfb).
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${KVT_BUILD_DIR:-$ROOT/build}"
"$ROOT/scripts/setup.sh"
"$ROOT/scripts/build.sh"

DEMO="$BUILD_DIR/demo-instance"
"$ROOT/scripts/make-demo-instance.sh" "$DEMO"

# Simulators started for the demo are stopped when the console ends.
SIM_PIDS=()
trap 'if [ ${#SIM_PIDS[@]} -gt 0 ]; then kill "${SIM_PIDS[@]}" 2>/dev/null || true; fi' EXIT

# The demo's GSM modem: the modem simulator on a pseudo-terminal, scripted through a FIFO (see
# README), connected by the console at start-up and stopped when the console exits.
MODEM_LINK=/tmp/kvt-demo-modem
MODEM_CONTROL=/tmp/kvt-demo-modem.ctl
"$BUILD_DIR/tools/kvt-sim-modem" --link "$MODEM_LINK" --control "$MODEM_CONTROL" \
  --transcript "$DEMO/modem-transcript.log" > "$DEMO/modem-sim.log" 2>&1 &
SIM_PIDS+=($!)
for _ in $(seq 100); do
  grep -q '^PTY ' "$DEMO/modem-sim.log" && break
  sleep 0.1
done
MODEM_DEVICE="$(sed -n 's/^PTY //p' "$DEMO/modem-sim.log")"
[ -n "$MODEM_DEVICE" ] || { echo "The modem simulator did not start:"; cat "$DEMO/modem-sim.log"; exit 1; }
for key in "AutoStart 1" "Port $MODEM_DEVICE" "SMSMem 534D"; do
  # shellcheck disable=SC2086
  "$BUILD_DIR/tools/kvt-tool" ini-set "$DEMO/Settings.ini" GSM_Svyaz $key
done
echo "GSM modem simulator on $MODEM_DEVICE ($MODEM_LINK); script it with: echo \"COMMAND\" > $MODEM_CONTROL"
# The pumping station's modem answers the terminal commands of the command window.
echo "terminal-answer 79161234501 +CSQ: 21,0|OK" > "$MODEM_CONTROL"

# The radio modem and the RS-485 bus of the demo's two link objects, played by the link
# simulators on pseudo-terminals that the console connects to at start-up. Script them while the
# console runs through their control FIFOs (README: "The demo's radio and RS-485 objects").
"$BUILD_DIR/tools/kvt-sim-radio" --link "$DEMO/radio.tty" --control "$DEMO/radio.ctl" \
  --transcript "$DEMO/radio.log" --object "0013A200:40A1B2C3=$ROOT/examples/forms/sewage-pump.packets" \
  < /dev/null > "$DEMO/radio.out" 2>&1 &
SIM_PIDS+=($!)
"$BUILD_DIR/tools/kvt-sim-rs485" --link "$DEMO/rs485.tty" --control "$DEMO/rs485.ctl" \
  --transcript "$DEMO/rs485.log" --slave "17=$ROOT/examples/forms/heat-substation.packets" \
  < /dev/null > "$DEMO/rs485.out" 2>&1 &
SIM_PIDS+=($!)
for link in radio rs485; do
  for _ in $(seq 50); do [ -e "$DEMO/$link.tty" ] && break; sleep 0.1; done
  [ -e "$DEMO/$link.tty" ] || { echo "The $link simulator did not start: see $DEMO/$link.out" >&2; exit 1; }
done
for section in Radio_Svyaz:radio RS485_Svyaz:rs485; do
  "$BUILD_DIR/tools/kvt-tool" ini-set "$DEMO/Settings.ini" "${section%%:*}" Port "$DEMO/${section##*:}.tty"
  "$BUILD_DIR/tools/kvt-tool" ini-set "$DEMO/Settings.ini" "${section%%:*}" AutoStart 1
done

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting the console under Xvfb (DISPLAY=:99)."
  xvfb-run -n 99 -s "-screen 0 1280x900x24" "$BUILD_DIR/tools/kvt" --home "$DEMO" "$@"
else
  "$BUILD_DIR/tools/kvt" --home "$DEMO" "$@"
fi
