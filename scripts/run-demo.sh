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

if [ -z "${DISPLAY:-}" ]; then
  echo "No display: starting the console under Xvfb (DISPLAY=:99)."
  exec xvfb-run -n 99 -s "-screen 0 1280x900x24" "$BUILD_DIR/tools/kvt" --home "$DEMO" "$@"
fi
exec "$BUILD_DIR/tools/kvt" --home "$DEMO" "$@"
