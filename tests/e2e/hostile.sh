#!/bin/bash
# Runs the program over a folder of hostile files and names (truncated,
# corrupt, empty and misnamed files, decompression bombs, a FIFO, link cycles,
# blanks, quotes, "&", "<", "#", "%", ":", a newline, bytes that are not UTF-8,
# a 250-byte name, one name in two sub-folders) and checks that it ends, names
# every unreadable file with its reason, copies each picture once, writes a
# page whose every area opens its own picture in Chromium, and leaves every
# source file as it was.
# Usage: hostile.sh <hostile_folder> sheet <pictoloom-sheet>
#        hostile.sh <hostile_folder> window <tst_hostile_window>
set -euo pipefail
. "$(dirname "$0")/chromium.sh"

usage="usage: hostile.sh <hostile_folder> sheet|window <program>"
tool=${1:?$usage}
mode=${2:?$usage}
program=${3:?$usage}
browser=${CHROMIUM:-/usr/bin/chromium}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/site" "$work/site/copies"

"$tool" make "$work/src"
"$tool" sums "$work/src" >"$work/before.sums"

# A hang shows as the timeout; the FIFO must not block the run.
status=0
case $mode in
sheet)
    timeout 300 "$program" --subfolders --extensions '*' --copy-to "$work/site/copies" \
        -o "$work/site/Sheet.jpg" "$work/src" >"$work/stdout" 2>"$work/problems" || status=$?
    ;;
window)
    HOSTILE_SOURCE="$work/src" HOSTILE_SITE="$work/site" HOSTILE_PROBLEMS="$work/problems" \
        QT_QPA_PLATFORM=offscreen timeout 300 "$program" >"$work/stdout" 2>&1 || status=$?
    ;;
*)
    echo "$usage" >&2
    exit 2
    ;;
esac
if [ "$status" -ne 0 ]; then
    echo "FAIL: $mode run exited with $status"
    cat "$work/stdout" "$work/problems" 2>/dev/null || true
    exit 1
fi

"$tool" sums "$work/src" >"$work/after.sums"
if ! cmp -s "$work/before.sums" "$work/after.sums"; then
    echo "FAIL: source files changed"
    diff "$work/before.sums" "$work/after.sums" || true
    exit 1
fi

if [ ! -x "$browser" ]; then
    echo "skipped: no Chromium at $browser (the run itself passed)"
    exit 0
fi
url=$("$tool" probe "$work/site/Sheet_index.html")
dump_dom "$url" "$work"

"$tool" check "$work/src" "$work/site/copies" "$work/dom.html" "$work/problems"
