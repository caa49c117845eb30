#!/bin/sh
# "Add files" on 100,000 files in 2,000 folders through the shown window, in
# scan order and in sorted mode, against find on the same tree.
# usage: bench/list_bench.sh BUILD_DIR   (pictoloom_window built there)
# Runs on the offscreen platform unless QT_QPA_PLATFORM says otherwise
# (use xvfb-run for a real X server).
set -eu

build=$(cd "${1:?usage: list_bench.sh BUILD_DIR}" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
window_lib="$build/src/app/libpictoloom_window.a"
core_lib="$build/src/core/libpictoloom_core.a"
for lib in "$window_lib" "$core_lib"; do
    [ -f "$lib" ] || { echo "no $lib: build the pictoloom_window target first" >&2; exit 1; }
done
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM

driver="$work/list_bench"
g++ -std=c++20 -O2 -fPIC -I"$source_dir/src/core" -I"$source_dir/src/app" \
    -I"$build/src/app/pictoloom_window_autogen/include" "$here/list_bench.cpp" \
    "$window_lib" "$core_lib" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6Gui Qt6Core GraphicsMagick libheif) -ljpeg -o "$driver"

tree="$work/tree"
. "$here/scan_tree.sh"
make_scan_tree "$tree"

now_ms() { date +%s%3N; }
start=$(now_ms)
found=$(find "$tree" -type f | wc -l)
find_ms=$(( $(now_ms) - start ))
echo "find: $found files in $find_ms ms"

# The window's settings file would land beside the driver, inside $work.
for mode in scan sorted; do
    result=$(cd "$work" && "$driver" "$tree" "$mode")
    files=$(echo "$result" | sed -n 's/^files //p')
    scan_ms=$(echo "$result" | sed -n 's/^scan_ms //p')
    gap_ms=$(echo "$result" | sed -n 's/^longest_event_gap_ms //p')
    [ "$files" -eq "$found" ] || { echo "$mode: listed $files files, find $found" >&2; exit 1; }
    echo "$mode order: $files files in $scan_ms ms (ratio to find $(awk "BEGIN { printf \"%.1f\", $scan_ms / ($find_ms > 0 ? $find_ms : 1) }")), longest event gap $gap_ms ms"
done
