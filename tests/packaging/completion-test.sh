#!/usr/bin/env bash
# The bash completion as bash runs it: sourced, then asked to complete
# command lines typed in a folder of sample files (names with spaces too).
#   completion-test.sh <completion file>
set -euo pipefail
# shellcheck source=/dev/null
source "$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir -p "Connection Standards" Drawings
touch "Drawings/sample.vtxd" "Drawings/notes.txt" "hall 7.kss" "parts.csv" "chain.cells"

failures=0
# expect "WANTED" words...: completes the last word and compares the
# candidates, sorted, with WANTED.
expect() {
    local wanted="$1"
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _vtxss || true # completion functions run without errexit
    local got
    got="$(printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd '|')"
    if [ "$got" != "$wanted" ]; then
        echo "FAILED: '$*' gave '$got', not '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "apply|bench|bill|check|design|explain|export|help|mapping|sections|sheet|test-standard" vtxss ""
expect "bench|bill" vtxss help b
expect "explain|export" vtxss ex
expect "export" vtxss expo
expect "--help|--version" vtxss --
expect "--format" vtxss export hall.kss --fo
expect "csv|xlsx" vtxss export --format ""
expect "Connection Standards|Drawings" vtxss apply --lib ""
expect "Drawings/sample.vtxd" vtxss apply --drawing Drawings/
expect "" vtxss apply --macro ""
expect "Connection Standards|Drawings|hall 7.kss" vtxss export ""
expect "Connection Standards|Drawings|parts.csv" vtxss bill ""
expect "Connection Standards|Drawings|chain.cells" vtxss bench ""
expect "Connection Standards|Drawings|chain.cells|parts.csv" vtxss sheet --import ""
expect "check|export|import|list|show" vtxss sections ""
expect "Connection Standards|Drawings|parts.csv" vtxss sections import ""
expect "--table|--template" vtxss sections import parts.csv --t
expect "check|render" vtxss design ""
expect "Drawings/notes.txt" vtxss design check Drawings/
# After a value-taking option's value, options again.
expect "--quiet" vtxss bill parts.csv -o x.kss --qu
expect "Connection Standards|Drawings|hall 7.kss" vtxss test-standard ""
expect "--all" vtxss test-standard --a

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "completion: all cases complete as expected"
