#!/bin/sh
# Scans 100,000 files in 2,000 folders and compares with find on the same tree.
# usage: bench/scan_bench.sh BUILD_DIR   (a build dir with pictoloom_core built)
set -eu

build=$(cd "${1:?usage: scan_bench.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
core="$build/src/core/libpictoloom_core.a"
[ -f "$core" ] || { echo "no $core: build the pictoloom_core target first" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

driver="$work/scan_bench"
# The core is a static library; its other modules pull in the image libraries.
g++ -std=c++20 -O2 -fPIC -I"$source_dir/src/core" "$here/scan_bench.cpp" "$core" \
    $(pkg-config --cflags --libs Qt6Core Qt6Gui GraphicsMagick libheif) -ljpeg -o "$driver"

tree="$work/tree"
. "$here/scan_tree.sh"
make_scan_tree "$tree"

now_ms() { date +%s%3N; }

best_find=""
best_scan=""
for run in 1 2 3; do
    start=$(now_ms)
    found=$(find "$tree" -type f | wc -l)
    elapsed=$(( $(now_ms) - start ))
    [ -z "$best_find" ] || [ "$elapsed" -lt "$best_find" ] && best_find=$elapsed

    result=$("$driver" "$tree" ".jpg.jpeg")
    files=$(echo "$result" | sed -n 's/^files //p')
    scan_ms=$(echo "$result" | sed -n 's/^scan_ms //p')
    gap_ms=$(echo "$result" | sed -n 's/^longest_event_gap_ms //p')
    [ -z "$best_scan" ] || [ "$scan_ms" -lt "$best_scan" ] && best_scan=$scan_ms
    echo "run $run: find $found files in $elapsed ms; scan $files files in $scan_ms ms, longest event gap $gap_ms ms"
done

[ "$files" -eq "$found" ] || { echo "scan listed $files files, find $found" >&2; exit 1; }
echo "best: find $best_find ms, scan $best_scan ms, ratio $(awk "BEGIN { printf \"%.1f\", $best_scan / ($best_find > 0 ? $best_find : 1) }")"
