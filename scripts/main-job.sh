#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the main job on the
# shipped sample library: every connection standard assigned to the macros of
# the sample drawing is applied, the values before and after are shown, and
# the changed drawing is written to build/release/sample-applied.vtxd (the
# shipped drawing stays as it is).
#   scripts/main-job.sh [extra vtxss options]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release vtxss
build/release/apps/vtxss/vtxss apply --all --diagnostics --out build/release/sample-applied.vtxd "$@"
