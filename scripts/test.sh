#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the whole test suite.
#   scripts/test.sh [preset]     preset: debug (default; ci when CI=true), asan, ci
set -euo pipefail
cd "$(dirname "$0")/.."
default_preset=debug
if [ "${CI:-}" = "true" ]; then default_preset=ci; fi
preset="${1:-$default_preset}"
scripts/setup.sh "$preset"
ctest --preset "$preset" -j "$(nproc)"
