#!/usr/bin/env bash
# Builds Sorix.exe and starts it under Wine (Debian 12; installs what is missing when run as
# root). On the user's display it runs until the window is closed, in a Wine prefix of its own
# in which the desktop's window manager manages the program's windows. Without a display it
# starts a virtual one, waits until the program has painted its main window completely, saves a
# screenshot to build/sorix.png and closes the program again.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$root"
# A build of its own without tests: it needs none of the tests' data and leaves build/windows
# to test.sh.
build=build/run
prefix="$root/$build/wineprefix"
title='Sorix 2.0 - Project'

if [[ -z "${SORIX_RUN_HEADLESS:-}" ]]; then
    packages=(cmake ninja-build g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 fonts-wine
              fonts-liberation xvfb xauth xdotool x11-utils imagemagick ccache)
    missing=()
    for package in "${packages[@]}"; do
        if [[ "$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null)" != "install ok installed" ]]
        then
            missing+=("$package")
        fi
    done
    if [[ ${#missing[@]} -gt 0 ]]; then
        if [[ "$(id -u)" -ne 0 ]]; then
            echo "run.sh: missing packages: ${missing[*]} (run as root to install them)" >&2
            exit 1
        fi
        echo "== installing ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -q </dev/null && apt-get install -y -q "${missing[@]}" </dev/null
    fi

    echo "== building Sorix.exe"
    # Through the compiler cache (shared with test.sh's builds; see there).
    export CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    if [[ -z "$(ccache -k base_dir 2>/dev/null)" ]]; then export CCACHE_BASEDIR="$root"; fi
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DSORIX_TESTS=OFF >/dev/null
    cmake --build "$build" --target Sorix sorix_driver

    if [[ -n "${DISPLAY:-}" ]]; then
        # The tests' prefix leaves windows unmanaged, which no window manager could frame, move
        # or resize.
        cmake/setup-wine-prefix.sh "$prefix-desktop" --managed
        echo "== starting Sorix.exe on $DISPLAY"
        WINEPREFIX="$prefix-desktop" WINEDEBUG=-all exec wine "$build/Sorix.exe" "$@"
    fi
    cmake/setup-wine-prefix.sh "$prefix"
    echo "== no display: starting Sorix.exe on a virtual one"
    SORIX_RUN_HEADLESS=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

# Headless round inside xvfb-run.
export WINEPREFIX="$prefix" WINEDEBUG=-all
wineserver -k 2>/dev/null || true
trap 'wineserver -k 2>/dev/null || true' EXIT
wine "$build/Sorix.exe" "$@" &
program=$!
window="$(timeout 60 xdotool search --sync --onlyvisible --name "^$title\$" | head -n 1 || true)"
if [[ -z "$window" ]]; then
    echo "run.sh: the main window did not appear" >&2
    exit 1
fi
# The first Direct2D paint may come long after the window shows on a busy machine: the program
# says when everything is painted.
if ! wine "$build/sorix_driver.exe" --wait-painted 60; then
    echo "run.sh: the main window was not painted completely" >&2
    exit 1
fi
import -window "$window" build/sorix.png
echo "== screenshot: build/sorix.png"
# Without a window manager Wine turns Alt+F4 into the window's own close request.
xdotool windowfocus --sync "$window" key alt+F4
status=0
for _ in $(seq 100); do
    kill -0 "$program" 2>/dev/null || break
    sleep 0.1
done
if kill -0 "$program" 2>/dev/null; then
    echo "run.sh: Sorix.exe did not close" >&2
    exit 1
fi
wait "$program" || status=$?
echo "== Sorix.exe exited with $status"
exit "$status"
