#!/usr/bin/env bash
# Installs the Debian packages the project needs (only those missing), then
# configures and builds one CMake preset.
#   scripts/setup.sh [preset] [targets...]     preset: debug (default), release, asan, ci
set -euo pipefail
cd "$(dirname "$0")/.."

preset="${1:-debug}"
shift || true

packages=(g++ clang cmake ninja-build ccache pkg-config
          libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
          libclang-rt-14-dev libxlsxwriter-dev libzip-dev libexpat1-dev libcli11-dev liborcus-dev
          qt6-base-dev fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing Debian packages: ${missing[*]}"
  sudo_cmd=""
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd="sudo"; fi
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${missing[@]}" >/dev/null
fi

# Paths under the repository reach the compiler cache relative to it, so
# that clones and worktrees in other folders share their compilations.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
# The presets compile the tree four ways (debug, release, ci, asan); a cache
# of the default 5 GB evicts one preset's objects while building the next, so
# that a CI run finds next to nothing. Room for all four, unless set.
export CCACHE_MAXSIZE="${CCACHE_MAXSIZE:-12G}"

# As many build jobs as the machine has cores (the build tool's default
# runs more, and the compilers then compete for memory and time).
jobs="$(nproc)"
cmake --preset "$preset" >/dev/null
if [ $# -gt 0 ]; then
  cmake --build --preset "$preset" -j "$jobs" --target "$@"
else
  cmake --build --preset "$preset" -j "$jobs"
fi
