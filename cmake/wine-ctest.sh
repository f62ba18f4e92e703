#!/usr/bin/env bash
# Runs the tests of a Windows build under Wine: cmake/wine-ctest.sh BUILD_DIR [CTEST_ARGS...]
# Sets up the build's Wine prefix when needed, then runs ctest inside a virtual X server with the
# Wine server, its helpers and the desktop already started, so that no test waits on a process
# that Wine started for it: ctest counts a test as running until its output pipe closes, and
# whatever Wine starts on a test's behalf inherits that pipe. The Wine server and its helpers
# that ctest would start keep each test waiting about 2.6 s; the desktop, which the first program
# to open a window starts, lives while any Windows program runs, and beside other tests that can
# be minutes. Ends the Wine server, and with it all of these, afterwards; xvfb-run ends the X
# server.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: wine-ctest.sh BUILD_DIR [CTEST_ARGS...]}" && pwd)"
shift

prefix="$(sed -n 's/^SORIX_WINEPREFIX:PATH=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
if [[ -z "$prefix" ]]; then
    echo "wine-ctest.sh: $build is not configured with cmake/mingw-w64-x86_64.cmake" >&2
    exit 2
fi
keeper="$build/desktop_keeper.exe"
if [[ ! -f "$keeper" ]]; then
    echo "wine-ctest.sh: $keeper is missing: build the target desktop_keeper" >&2
    exit 2
fi

if [[ -z "${SORIX_WINE_CTEST_DISPLAY:-}" ]]; then
    "$here/setup-wine-prefix.sh" "$prefix"
    # One X server per run (-a picks a free display number).
    SORIX_WINE_CTEST_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" \
        "$here/wine-ctest.sh" "$build" "$@" </dev/null
fi

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# A server left over from an interrupted run would serve this run with the old, gone X display.
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
# Started here, not under ctest, so that they do not hold ctest's output pipes open: the server,
# then the keeper, whose process starts the server's helpers and the desktop with its output on
# /dev/null and keeps them for the whole run.
wineserver -p
ready="$build/desktop-keeper.ready"
rm -f "$ready"
wine "$keeper" "Z:$ready" </dev/null >/dev/null 2>&1 &
for _ in $(seq 600); do
    [[ -f "$ready" ]] && break
    sleep 0.1
done
if [[ ! -f "$ready" ]]; then
    echo "wine-ctest.sh: the desktop keeper did not start within 60 s" >&2
    exit 1
fi
ctest --test-dir "$build" "$@"
