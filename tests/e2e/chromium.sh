# Sourced by the browser checks: dump_dom URL WORK_DIR loads URL in headless
# Chromium ($browser) with a fresh profile under WORK_DIR and leaves the DOM in
# WORK_DIR/dom.html. The virtual-time budget lets the pictures a page opens
# finish loading before the document is dumped. Fails with Chromium's log.
dump_dom() {
    if ! timeout 120 "$browser" --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
            --disable-background-networking --disable-component-update --disable-sync \
            --user-data-dir="$2/profile" --virtual-time-budget=10000 \
            --dump-dom "$1" >"$2/dom.html" 2>"$2/chromium.log"; then
        echo "FAIL: Chromium did not run"
        cat "$2/chromium.log"
        exit 1
    fi
}
