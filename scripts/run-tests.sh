#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite.
set -euo pipefail
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$ROOT/scripts/setup.sh"
# Widgets only in the user interface, and each library's dependencies equal to its includes.
python3 "$ROOT/scripts/check-layers.py" "$ROOT"
"$ROOT/scripts/build.sh"
cd "${KVT_BUILD_DIR:-$ROOT/build}"
ctest --output-on-failure -j "$(nproc)"
