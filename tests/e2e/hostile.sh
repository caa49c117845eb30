#!/bin/bash
# Runs pictoloom-sheet over a folder of hostile files and names (truncated,
# corrupt, empty and misnamed files, decompression bombs, a FIFO, link cycles,
# blanks, quotes, "&", "<", "#", "%", ":", a newline, bytes that are not UTF-8,
# a 250-byte name, one name in two sub-folders) and checks that it ends, names
# every unreadable file with its reason, copies each picture once, writes a
# page whose every area opens its own picture in Chromium, and leaves every
# source file as it was.
# Usage: hostile.sh <hostile_folder executable> <pictoloom-sheet executable>
set -euo pipefail

tool=${1:?usage: hostile.sh <hostile_folder> <pictoloom-sheet>}
sheet=${2:?usage: hostile.sh <hostile_folder> <pictoloom-sheet>}
browser=${CHROMIUM:-/usr/bin/chromium}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/site" "$work/site/copies"

"$tool" make "$work/src"
"$tool" sums "$work/src" >"$work/before.sums"

# A hang shows as the timeout; the FIFO must not block the run.
status=0
timeout 300 "$sheet" --subfolders --extensions '*' --copy-to "$work/site/copies" \
    -o "$work/site/sheet.jpg" "$work/src" >"$work/stdout" 2>"$work/stderr" || status=$?
if [ "$status" -ne 0 ]; then
    echo "FAIL: pictoloom-sheet exited with $status"
    cat "$work/stderr"
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
url=$("$tool" probe "$work/site/sheet_index.html")
if ! timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --virtual-time-budget=10000 \
        --dump-dom "$url" >"$work/dom.html" 2>"$work/chromium.log"; then
    echo "FAIL: Chromium did not run"
    cat "$work/chromium.log"
    exit 1
fi

"$tool" check "$work/src" "$work/site/copies" "$work/dom.html" "$work/stderr"
