#!/usr/bin/env bash
# Builds a preset (release by default), makes the Debian package, unpacks it
# into build/package-check (dpkg-deb -x: no root needed) and checks it from
# there:
#   - the unpacked tool runs and tells its version;
#   - the main job runs on the unpacked sample library, found beside the
#     tool, and prints and writes what the build tree's tool does, leaving
#     the unpacked library as it was;
#   - every manual page renders without warnings (when groff is there);
#   - the consumer project tests/package builds against the unpacked CMake
#     package (every installed header compiled on its own) and runs;
#   - the consumer project configures with the repository as a sub-project,
#     without the repository's tests and benchmarks.
#   scripts/package-check.sh [preset]
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
preset="${1:-release}"
jobs="$(nproc)"
build="build/$preset"
check="$PWD/build/package-check"

scripts/setup.sh "$preset" vtxss vtxssmodule vtxss_man
rm -f "$build"/vtxss_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls "$build"/vtxss_*.deb)"
echo "Package: $deb ($(du -k "$deb" | cut -f1) KiB)"

rm -rf "$check"
mkdir -p "$check/work"
dpkg-deb -x "$deb" "$check/root"
usr="$check/root/usr"
tool() { (cd "$check/work" && env -u VTX_LIBRARY -u VTX_INSTALL "$@"); }
fail() {
    echo "package-check: $*" >&2
    exit 1
}

version="$(sed -n 's/^project(vtxss VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
[ "$(tool "$usr/bin/vtxss" --version)" = "vtxss $version" ] ||
    fail "the unpacked vtxss does not say 'vtxss $version'"

# The desktop host, when the module was built with its dialogs, starts
# from the unpacked tree (its libraries found beside it).
if [ -x "$usr/bin/vtxss-host" ]; then
    tool env QT_QPA_PLATFORM=offscreen "$usr/bin/vtxss-host" --help >/dev/null 2>&1 ||
        fail "the unpacked vtxss-host does not start"
fi

# The main job (scripts/main-job.sh) with the unpacked tool and with the
# build tree's: the same report (but for the timing and the file written)
# and the same drawing.
library_sums() { (cd "$usr/share/vtxss" && find . -type f -print0 | sort -z | xargs -0 sha256sum); }
before="$(library_sums)"
report() { grep -v -e '^Written: ' -e ' evaluation(s) in ' "$1"; }
tool "$usr/bin/vtxss" apply --all --diagnostics --out "$check/installed.vtxd" >"$check/installed.txt" ||
    fail "the main job failed with the unpacked tool"
"$build/apps/vtxss/vtxss" apply --all --diagnostics --out "$check/built.vtxd" >"$check/built.txt"
tool "$usr/bin/vtxss" mapping >"$check/mapping.txt"
grep -q "^Drawing: $usr/share/vtxss/library/" "$check/mapping.txt" ||
    fail "the unpacked tool does not read the unpacked sample library"
diff <(report "$check/built.txt") <(report "$check/installed.txt") ||
    fail "the unpacked tool reports otherwise than the built one"
cmp -s "$check/built.vtxd" "$check/installed.vtxd" ||
    fail "the unpacked tool wrote another drawing than the built one"
[ "$before" = "$(library_sums)" ] || fail "the main job changed the unpacked sample library"

if command -v groff >/dev/null; then
    for page in "$usr"/share/man/man1/*.1; do
        warnings="$(groff -man -Tutf8 -ww -z "$page" 2>&1)"
        [ -z "$warnings" ] || fail "$page: $warnings"
    done
fi

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
cmake -S tests/package -B "$check/consumer" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_PREFIX_PATH="$usr" "${launcher[@]}" >/dev/null
cmake --build "$check/consumer" -j "$jobs" >/dev/null ||
    fail "the consumer project does not build against the unpacked package"
"$check/consumer/consumer" "$usr/share/vtxss/library/Connection Standards/Childs/BoltSpacing.kss"

cmake -S tests/package -B "$check/subproject" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DVTXSS_SOURCE_DIR="$PWD" >/dev/null ||
    fail "the consumer project does not configure with vtxss as a sub-project"

echo "Package check passed in $((SECONDS - started)) s"
