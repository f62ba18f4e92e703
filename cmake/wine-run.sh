#!/usr/bin/env bash
# Runs a Windows executable under Wine in the given prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
# Used as CMAKE_CROSSCOMPILING_EMULATOR, so ctest runs every Windows test through it. The exit
# code of the program passes through (Wine cuts it to 8 bits).
set -u
prefix="$1"
shift
if [[ ! -f "$prefix/.sorix-prefix" ]]; then
    # A prefix that Wine would create on the fly lacks the crash settings: a crashing test could
    # then pass or hang. Refuse instead.
    echo "wine-run.sh: Wine prefix $prefix is not set up; run" \
        "$(dirname "$0")/setup-wine-prefix.sh $prefix" >&2
    exit 125
fi
export WINEPREFIX="$prefix"
export WINEDEBUG=-all
# Watchdog of last resort: ctest's TIMEOUT normally ends a hung test first.
exec timeout --kill-after=10 "${SORIX_WINE_TIMEOUT:-600}" wine "$@"
