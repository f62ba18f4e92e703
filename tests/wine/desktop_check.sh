#!/usr/bin/env bash
# Checks that cmake/wine-ctest.sh gives each test's output pipe to that test alone:
#   tests/wine/desktop_check.sh BUILD_DIR
# Under Wine the desktop process inherits the output of the program that started it and lives
# while any Windows program runs. So it runs two tests side by side through wine-ctest.sh in a
# scratch folder of BUILD_DIR: "window" opens a window (the first of the run, which starts the
# desktop unless one runs already) and ends a few seconds later; "beside" starts once the window
# was opened and runs a while longer. Were the desktop started by "window", ctest would count
# "window" as running until "beside" had ended and the desktop with it. Fails when it did.
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
build="$(cd "${1:?usage: desktop_check.sh BUILD_DIR}" && pwd)"
prefix="$(sed -n 's/^SORIX_WINEPREFIX:PATH=//p' "$build/CMakeCache.txt" 2>/dev/null || true)"
probe="$build/tests/wine/desktop_probe.exe"
if [[ -z "$prefix" || ! -f "$probe" ]]; then
    echo "desktop_check.sh: $build is not a Windows build with its tests" >&2
    exit 2
fi

check="$build/desktop-check"
rm -rf "$check"
mkdir -p "$check"
# What wine-ctest.sh needs of a build folder: its prefix and the desktop keeper.
echo "SORIX_WINEPREFIX:PATH=$prefix" >"$check/CMakeCache.txt"
if [[ -f "$build/desktop_keeper.exe" ]]; then ln -s "$build/desktop_keeper.exe" "$check/"; fi
done_file="$check/window-opened"
run="'$root/cmake/wine-run.sh' '$prefix' '$probe'"
# "window" waits in the shell, not as a Windows program, so that a desktop which started before
# ctest and is not kept open has closed before it opens its window.
stay=10
cat >"$check/CTestTestfile.cmake" <<EOF
add_test(window /bin/sh -c "sleep 3 && exec $run window 'Z:$done_file' 2")
add_test(beside /bin/sh -c "until [ -f '$done_file' ]; do sleep 0.1; done && exec $run stay $stay")
set_tests_properties(window beside PROPERTIES TIMEOUT 60)
EOF

log="$check/ctest.log"
"$root/cmake/wine-ctest.sh" "$check" -j2 --output-on-failure </dev/null >"$log" 2>&1 || true
# ctest's line of a test: " 1/2 Test #1: window ..........   Passed    6.02 sec"
seconds() { sed -nE "s/.*Test +#[0-9]+: $1 [ .]+Passed +([0-9.]+) sec.*/\1/p" "$log"; }
window="$(seconds window)"
beside="$(seconds beside)"
if [[ -z "$window" || -z "$beside" ]]; then
    cat "$log"
    echo "desktop_check.sh: FAILED: the two tests did not both pass"
    exit 1
fi
# Were "window" held, it would end after "beside"; on its own it ends about 8 s before.
if awk -v w="$window" -v b="$beside" -v s="$stay" 'BEGIN { exit !(w < b - s / 2) }'; then
    echo "desktop_check.sh: passed: window took $window s, beside $beside s"
else
    echo "desktop_check.sh: FAILED: window took $window s, beside $beside s: a process that" \
        "Wine started for window held its output open until beside ended"
    exit 1
fi
