#!/bin/bash
# Opens a written image-map page in headless Chromium, clicks every area and
# checks that each opens its picture with the record's pop-up size.
# Usage: page_in_browser.sh <write_test_page executable>
set -euo pipefail
. "$(dirname "$0")/chromium.sh"

probe_tool=${1:?usage: page_in_browser.sh <write_test_page executable>}
browser=${CHROMIUM:-/usr/bin/chromium}

if [ ! -x "$browser" ]; then
    echo "skipped: no Chromium at $browser"
    exit 0
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

url=$("$probe_tool" write "$work/site")

dump_dom "$url" "$work"

"$probe_tool" check "$work/site" "$work/dom.html"
