#!/usr/bin/env bash
# Runs the fuzz targets (fuzz/, docs/fuzzing.md); they are built by the asan
# preset (clang with libFuzzer and the sanitizers).
#
#   scripts/fuzz.sh ci [SECONDS]         every target for SECONDS (default 10) on a
#                                        copy of its corpus; fails on any crash
#   scripts/fuzz.sh run TARGET [SECONDS] [OPTIONS...]
#                                        a long session (default 3600 s); new inputs go
#                                        to build/asan/fuzz/TARGET/corpus, findings to
#                                        build/asan/fuzz/TARGET/; OPTIONS go to libFuzzer
#   scripts/fuzz.sh merge TARGET DIR...  adds the inputs of DIR... that reach new code
#                                        to fuzz/corpus/TARGET
#   scripts/fuzz.sh seed                 gathers seeds from sample/ and tests/data and
#                                        merges them into fuzz/corpus/
#   scripts/fuzz.sh list                 the targets
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/asan
targets=$(ls fuzz/corpus)
# Options every run shares: an input that runs longer than 10 s is a hang,
# one that needs more than 2 GB a fault.
common=(-timeout=10 -rss_limit_mb=2048 -print_final_stats=1)

check_target() {
  if [ ! -d "fuzz/corpus/$1" ]; then
    echo "fuzz: no target \"$1\" (scripts/fuzz.sh list)" >&2
    exit 2
  fi
}

binary() {
  echo "$build/fuzz/fuzz_$1"
}

dictionary() {
  if [ -f "fuzz/dict/$1.dict" ]; then echo "-dict=fuzz/dict/$1.dict"; fi
}

build_targets() {
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD/..}"
  if [ ! -f "$build/build.ninja" ]; then cmake --preset asan >/dev/null; fi
  local names=()
  for target in "$@"; do names+=("fuzz_$target"); done
  cmake --build --preset asan --target "${names[@]}"
}

run_ci() {
  local seconds="${1:-10}"
  local out="$build/fuzz-ci"
  rm -rf "$out"
  mkdir -p "$out"
  # shellcheck disable=SC2086
  build_targets $targets
  local failed=()
  for target in $targets; do
    local corpus="$out/$target/corpus"
    mkdir -p "$corpus" "$out/$target/findings"
    cp -r "fuzz/corpus/$target/." "$corpus/"
    local log="$out/$target/log.txt"
    local status=0
    # shellcheck disable=SC2046
    "$(binary "$target")" "${common[@]}" $(dictionary "$target") -max_total_time="$seconds" \
      -artifact_prefix="$out/$target/findings/" "$corpus" "fuzz/crashes/$target" \
      >"$log" 2>&1 || status=$?
    local runs
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    if [ "$status" -ne 0 ]; then
      failed+=("$target")
      echo "fuzz $target: FAILED after ${runs:-?} runs (exit $status); log $log"
      grep -E "fuzz check failed|ERROR: |SUMMARY: |Test unit written|^  at " "$log" | head -20 || true
    else
      echo "fuzz $target: ${runs:-?} runs in ${seconds} s, no fault"
    fi
  done
  if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: faults in ${failed[*]}; reproducers in $out/<target>/findings" >&2
    exit 1
  fi
}

run_session() {
  local target="$1"
  local seconds="${2:-3600}"
  shift 2 || shift $#
  check_target "$target"
  build_targets "$target"
  local home="$build/fuzz/$target"
  mkdir -p "$home/corpus"
  # shellcheck disable=SC2046
  "$(binary "$target")" "${common[@]}" $(dictionary "$target") -max_total_time="$seconds" \
    -artifact_prefix="$home/" "$@" "$home/corpus" "fuzz/corpus/$target" "fuzz/crashes/$target"
}

merge_into_corpus() {
  local target="$1"
  shift
  check_target "$target"
  build_targets "$target"
  mkdir -p "$build/fuzz/$target"
  "$(binary "$target")" "${common[@]}" -set_cover_merge=1 -use_counters=0 -artifact_prefix="$build/fuzz/$target/" \
    "fuzz/corpus/$target" "$@"
}

case "${1:-}" in
  ci) run_ci "${2:-}" ;;
  run) [ $# -ge 2 ] || { echo "usage: scripts/fuzz.sh run TARGET [SECONDS]" >&2; exit 2; }
       shift; run_session "$@" ;;
  merge) [ $# -ge 3 ] || { echo "usage: scripts/fuzz.sh merge TARGET DIR..." >&2; exit 2; }
         shift; merge_into_corpus "$@" ;;
  seed)
    candidates=$(mktemp -d)
    trap 'rm -rf "$candidates"' EXIT
    scripts/fuzz-seeds.py "$candidates"
    for target in $targets; do merge_into_corpus "$target" "$candidates/$target"; done ;;
  list) echo "$targets" ;;
  *) sed -n '2,15p' "$0" | sed 's/^# \{0,1\}//'; exit 2 ;;
esac
