#!/bin/bash
# Opens a written image-map page in headless Chromium, clicks every area and
# checks that each opens its picture with the record's pop-up size.
# Usage: page_in_browser.sh <write_test_page executable>
set -euo pipefail

probe_tool=${1:?usage: page_in_browser.sh <write_test_page executable>}
browser=${CHROMIUM:-/usr/bin/chromium}

if [ ! -x "$browser" ]; then
    echo "skipped: no Chromium at $browser"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

url=$("$probe_tool" write "$work/site")

# The virtual-time budget lets the pictures the probe opens finish loading
# before the document is dumped.
if ! timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
        --disable-background-networking --disable-component-update --disable-sync \
        --user-data-dir="$work/profile" --virtual-time-budget=10000 \
        --dump-dom "$url" >"$work/dom.html" 2>"$work/chromium.log"; then
    echo "FAIL: Chromium did not run"
    cat "$work/chromium.log"
    exit 1
fi

"$probe_tool" check "$work/site" "$work/dom.html"
