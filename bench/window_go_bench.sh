#!/bin/sh
# GO in the window against pictoloom-sheet on the same photos (median of N rounds).
# usage: bench/window_go_bench.sh BUILD_DIR PHOTO_FOLDER [ROUNDS]
#   BUILD_DIR with pictoloom_window and pictoloom-sheet built,
#   PHOTO_FOLDER e.g. /tmp/pictoloom-corpus/photos12 from bench/sheet_corpus.sh.
set -eu
build=$(cd "${1:?usage: window_go_bench.sh BUILD_DIR PHOTO_FOLDER [ROUNDS]}" && pwd)
photos=$(cd "${2:?usage: window_go_bench.sh BUILD_DIR PHOTO_FOLDER [ROUNDS]}" && pwd)
rounds=${3:-3}
here=$(cd "$(dirname "$0")" && pwd)
source_dir=$(dirname "$here")
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
driver="$work/window_go_bench"
g++ -std=c++20 -O2 -fPIC -I"$source_dir/src/core" -I"$source_dir/src/app" \
    -I"$build/src/app/pictoloom_window_autogen/include" "$here/window_go_bench.cpp" \
    "$build/src/app/libpictoloom_window.a" "$build/src/core/libpictoloom_core.a" \
    $(pkg-config --cflags --libs Qt6Widgets Qt6Test Qt6Gui Qt6Core GraphicsMagick libheif) -ljpeg -o "$driver"

set -- $(find "$photos" -maxdepth 1 -name '*.jpg' | sort)
default=$1
now_ms() { date +%s%3N; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
go_times=""
sheet_times=""
for round in $(seq 1 "$rounds"); do
    go=$(cd "$work" && "$driver" "$default" "$@" 2>/dev/null | sed -n 's/^go_ms //p')
    go_times="$go_times $go"
    start=$(now_ms)
    "$build/pictoloom-sheet" --quiet --no-map "$photos" -o "$work/sheet.jpg"
    sheet_times="$sheet_times $(( $(now_ms) - start ))"
done
go_median=$(echo $go_times | tr ' ' '\n' | median)
sheet_median=$(echo $sheet_times | tr ' ' '\n' | median)
echo "files: $#"
echo "GO in the window: $go_median ms (rounds:$go_times)"
echo "pictoloom-sheet --no-map: $sheet_median ms (rounds:$sheet_times)"
awk "BEGIN { printf \"ratio GO / pictoloom-sheet: %.2f\n\", $go_median / $sheet_median }"
