#!/bin/sh
# Builds the benchmark corpus of pictoloom-sheet from the photographs of
# Debian's wallpaper packages (plasma-workspace-wallpapers, mate-backgrounds):
#   photos12/  200 JPEGs of 4000 x 3000
#   photos24/   60 JPEGs of 6000 x 4000
#   mixed/      60 pictures as PNG, GIF, TIFF, BMP and WebP (12 each, 2000 x 1500)
#   small5000/ 5000 JPEGs of 640 x 480, small200/ the first 200 of them
# Needs vips (libvips-tools). Usage: sheet_corpus.sh [CORPUS_DIR]
set -eu

corpus=${1:-/tmp/pictoloom-corpus}
mkdir -p "$corpus"
cd "$corpus"

# One picture per wallpaper: the largest of its sizes, and MATE's photographs.
if [ ! -s sources.txt ]; then
    {
        for dir in /usr/share/wallpapers/*/contents/images; do
            ls -S "$dir"/*.jpg "$dir"/*.png 2>/dev/null | head -n 1
        done
        find /usr/share/backgrounds/mate -name '*.jpg'
    } | grep . > sources.txt
fi
count=$(wc -l < sources.txt)
[ "$count" -gt 0 ] || { echo "no wallpapers found: install plasma-workspace-wallpapers mate-backgrounds" >&2; exit 1; }

# source N (1-based, cycling through the list)
source_no() { sed -n "$(( ($1 - 1) % count + 1 ))p" sources.txt; }

# scaled WIDTH HEIGHT SOURCE OUT: the source scaled and centre-cropped to exactly that size.
scaled() { vips thumbnail "$3" "$4" "$1" --height "$2" --size both --crop centre; }

make_set() { # NAME COUNT WIDTH HEIGHT EXT SUFFIX
    [ -f "$1/.done" ] && return 0
    rm -rf "$1" && mkdir "$1"
    i=1
    while [ "$i" -le "$2" ]; do
        scaled "$3" "$4" "$(source_no "$i")" "$(printf '%s/%04d.%s%s' "$1" "$i" "$5" "$6")"
        i=$((i + 1))
    done
    touch "$1/.done"
}

make_set photos12 200 4000 3000 jpg '[Q=90]'
make_set photos24 60 6000 4000 jpg '[Q=90]'

if [ ! -f mixed/.done ]; then
    rm -rf mixed && mkdir mixed
    i=1
    for ext in png gif tif bmp webp; do
        n=1
        while [ "$n" -le 12 ]; do
            scaled 2000 1500 "$(source_no "$i")" "$(printf 'mixed/%04d.%s' "$i" "$ext")"
            i=$((i + 1)); n=$((n + 1))
        done
    done
    touch mixed/.done
fi

# Small photos: one scaled copy per source, repeated under 5,000 names.
if [ ! -f small5000/.done ]; then
    rm -rf small5000 small200 && mkdir small5000 small200
    make_set smallbase "$count" 640 480 jpg '[Q=90]'
    i=1
    while [ "$i" -le 5000 ]; do
        cp "$(printf 'smallbase/%04d.jpg' "$(( (i - 1) % count + 1 ))")" "$(printf 'small5000/%05d.jpg' "$i")"
        [ "$i" -le 200 ] && cp "$(printf 'small5000/%05d.jpg' "$i")" small200/
        i=$((i + 1))
    done
    touch small5000/.done
fi
echo "$corpus"
