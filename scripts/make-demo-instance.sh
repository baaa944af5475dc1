#!/usr/bin/env bash
# Makes a demo instance folder: the console's folders, the sample object forms and settings.
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
if [ -d "$ROOT/examples/demo" ]; then
  cp -r "$ROOT"/examples/demo/. "$DEMO/"
fi
echo "Demo instance: $DEMO"
