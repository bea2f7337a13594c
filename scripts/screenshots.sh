#!/usr/bin/env bash
# Opens every dialog offscreen on the sample library in a few typical states
# and writes one PNG each to build/screenshots (a texts check runs with it).
#   scripts/screenshots.sh [preset]     preset: debug (default), release, ...
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-debug}"
scripts/setup.sh "$preset" vtx_screenshots >/dev/null
mkdir -p build/screenshots
QT_QPA_PLATFORM=offscreen "build/$preset/tests/vtx_screenshots" build/screenshots
