#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and runs the main job on the
# shipped sample library: the macro EP-1 of the sample drawing, its mappable
# objects and the values of its stored standards mapping.
#   scripts/main-job.sh [extra vtxss options]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh release vtxss
build/release/apps/vtxss/vtxss mapping --macro EP-1 "$@"
