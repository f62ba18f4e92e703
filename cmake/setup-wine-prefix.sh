#!/usr/bin/env bash
# Creates the Wine prefix for the Windows tests: setup-wine-prefix.sh PREFIX [--managed]
# Boots a new prefix, imports wine-prefix.reg and checks that the settings took. Does nothing
# when the prefix was made from the current wine-prefix.reg and this script; otherwise it makes
# the prefix anew (a re-import alone would keep values that were removed from the file).
# --managed makes a prefix for a person's desktop: the same settings, except that the window
# manager manages the program's windows (it frames, moves and resizes them).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="${1:?usage: setup-wine-prefix.sh PREFIX [--managed]}"
managed=N
if [[ "${2:-}" == --managed ]]; then managed=Y; fi
mkdir -p "$(dirname "$prefix")"
prefix="$(cd "$(dirname "$prefix")" && pwd)/$(basename "$prefix")"
reg="$here/wine-prefix.reg"
stamp="$prefix/.sorix-prefix"
want="$({ cat "$reg" "$0"; echo "managed $managed"; } | sha256sum | cut -d' ' -f1)"

if [[ -f "$stamp" && "$(cat "$stamp")" == "$want" ]]; then
    exit 0
fi

export WINEPREFIX="$prefix"
export WINEDEBUG=-all
if [[ -d "$prefix" ]]; then
    # Ends a server that a previous run may have left persistent (wineserver -w would wait for
    # it forever), together with whatever still runs in this prefix.
    wineserver -k 2>/dev/null || true
    rm -rf "$prefix"
fi

echo "Creating Wine prefix $prefix"
# No Mono/Gecko installer prompts, no desktop menu entries in the user's home.
# Wine's chatter (e.g. that the 32-bit rundll32 is missing) is shown only when a step fails.
run() {
    local out
    if ! out="$("$@" </dev/null 2>&1)"; then
        echo "$out" >&2
        echo "setup-wine-prefix.sh: failed: $*" >&2
        exit 1
    fi
}
run env WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d" wine wineboot -i
run wine regedit /S "$(winepath -w "$reg")"
if [[ $managed == Y ]]; then
    run wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d Y /f
fi
# Waits until the server has written the registry to disk.
run wineserver -w

# The values of one registry key as written to disk: check FILE KEY VALUE...
check() {
    local file="$prefix/$1" key="$2" values
    shift 2
    values="$(KEY="[$key]" awk 'index($0, ENVIRON["KEY"]) == 1 {found = 1; next} /^\[/ {found = 0} found' "$file")"
    for value in "$@"; do
        if ! grep -qxF "$value" <<<"$values"; then
            echo "setup-wine-prefix.sh: $value missing from [$key] in $file after the import" >&2
            exit 1
        fi
    done
}
check user.reg 'Software\\Wine\\Fonts\\Replacements' \
    '"Arial"="Liberation Sans"' '"Microsoft Sans Serif"="Liberation Sans"'
check user.reg 'Software\\Wine\\X11 Driver' "\"Managed\"=\"$managed\""
check user.reg 'Software\\Wine\\WineDbg' '"ShowCrashDialog"=dword:00000000'
check system.reg 'Software\\Microsoft\\Windows NT\\CurrentVersion\\AeDebug' \
    '"Auto"="1"' '"Debugger"=""'

echo "$want" >"$stamp"
