#!/usr/bin/env bash
# Makes a demo instance folder: the console's folders, the sample object forms and settings
# (sounds/ stays empty: the console plays the sounds it carries).
# Usage: make-demo-instance.sh DIR   (DIR is replaced)
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${KVT_BUILD_DIR:-$ROOT/build}"
DEMO="${1:?usage: make-demo-instance.sh DIR}"

rm -rf "$DEMO"
mkdir -p "$DEMO"/{Data,Reports,SmsBook,AvariBook,sounds,Forms}
if compgen -G "$BUILD_DIR/examples/forms/*.kof" > /dev/null; then
  cp "$BUILD_DIR"/examples/forms/*.kof "$DEMO/Forms/"
fi
# Settings, then the three sample objects with their stored history.
cp "$ROOT/examples/demo/Settings.ini" "$DEMO/"
"$BUILD_DIR/tools/kvt-tool" instance-objects "$DEMO" "$ROOT/examples/demo/objects.manifest"
echo "Demo instance: $DEMO"
