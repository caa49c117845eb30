#!/bin/bash
# Times pictoloom-sheet at its default settings against the tools a user would
# pick instead, side by side in one run: every round runs each command once, in
# turn, and the table shows the median of the rounds, its ratio to the floor
# (djpeg decoding every file at 1/8 on both cores), the CPU time (user +
# system, steadier than the wall time on a busy machine) and the peak memory.
#
# Usage: sheet_bench.sh PICTOLOOM_SHEET [CORPUS_DIR] [ROUNDS]
#   CORPUS_DIR as made by sheet_corpus.sh (default /tmp/pictoloom-corpus)
#   ROUNDS     runs per command (default 3)
#   SETS       which tables to make (default "photos12 photos24 mixed small")
#   SLOW=0     leaves out ImageMagick's montage with a full decode of each photo
# Needs: GNU time, djpeg (libjpeg-turbo-progs), vips and vipsthumbnail
# (libvips-tools), montage (imagemagick), gm (graphicsmagick).
set -u

tool=$(realpath "${1:?usage: sheet_bench.sh PICTOLOOM_SHEET [CORPUS_DIR] [ROUNDS]}")
corpus=${2:-/tmp/pictoloom-corpus}
rounds=${3:-3}
sets=${SETS:-photos12 photos24 mixed small}
slow=${SLOW:-1}
work=$(mktemp -d /tmp/sheet-bench.XXXXXX)
trap 'rm -rf "$work"' EXIT

for program in /usr/bin/time djpeg vips vipsthumbnail montage gm; do
    command -v "$program" > /dev/null || { echo "missing: $program" >&2; exit 1; }
done

# Commands of one table: names and shell lines, in the order they run.
names=()
lines=()
add() { names+=("$1"); lines+=("$2"); }

# run_table TITLE FILES_LIST: runs every command ROUNDS times, alternating.
run_table() {
    local title=$1 list=$2 n r i
    n=$(wc -l < "$list")
    xargs -a "$list" cat > /dev/null # into the page cache, for every command alike
    for ((r = 1; r <= rounds; r++)); do
        for i in "${!names[@]}"; do
            rm -rf "$work/out" && mkdir "$work/out"
            /usr/bin/time -f "%e %M %U %S" -o "$work/time" bash -c "${lines[$i]}" > /dev/null 2> "$work/err"
            local status=$?
            if [ "$status" -eq 0 ]; then
                cat "$work/time" >> "$work/result.$i"
            else
                echo "failed $(grep -v '^Command exited' "$work/err" | tail -n 1 | cut -c1-60)" >> "$work/result.$i"
            fi
        done
    done

    echo
    echo "### $title ($n files, median of $rounds)"
    echo
    echo "| command | time (s) | x floor | CPU (s) | peak memory (MB) |"
    echo "|---|---:|---:|---:|---:|"
    local floor=""
    for i in "${!names[@]}"; do
        if grep -q '^failed' "$work/result.$i"; then
            echo "| ${names[$i]} | $(grep -m1 '^failed' "$work/result.$i") | | |"
            continue
        fi
        local seconds memory cpu
        seconds=$(cut -d' ' -f1 "$work/result.$i" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}')
        memory=$(cut -d' ' -f2 "$work/result.$i" | sort -n | awk '{a[NR]=$1} END {printf "%.0f", a[int((NR+1)/2)]/1024}')
        cpu=$(awk '{print $3 + $4}' "$work/result.$i" | sort -n | awk '{a[NR]=$1} END {printf "%.2f", a[int((NR+1)/2)]}')
        [ "${names[$i]}" = "floor: djpeg -scale 1/8, xargs -P2" ] && floor=$seconds
        local ratio="-"
        [ -n "$floor" ] && ratio=$(awk -v s="$seconds" -v f="$floor" 'BEGIN {printf "%.2f", s / f}')
        echo "| ${names[$i]} | $seconds | $ratio | $cpu | $memory |"
    done
    rm -f "$work"/result.*
    names=()
    lines=()
}

# The floor runs first so that every other line can be set against it.
jpeg_table() { # TITLE FOLDER
    local list="$work/$(basename "$2").list"
    ls "$2"/*.jpg > "$list"
    local files="xargs -a $list"
    add "floor: djpeg -scale 1/8, xargs -P2" "$files -P2 -n1 djpeg -scale 1/8 -outfile /dev/null"
    add "pictoloom-sheet (defaults)" "$files $tool --quiet -o $work/out/p.jpg"
    add "vips arrayjoin [shrink=8] + vips resize" \
        "vips arrayjoin \"\$(sed 's/\$/[shrink=8]/' $list | tr '\n' ' ')\" $work/out/a.v --across 8 &&
         vips resize $work/out/a.v $work/out/v.jpg 0.254"
    add "vipsthumbnail + vips arrayjoin" \
        "$files vipsthumbnail -s 127 -o $work/out/%s.jpg && vips arrayjoin \"\$(ls $work/out/*.jpg | tr '\n' ' ')\" $work/out/v.jpg --across 8"
    add "gm montage -size 254x254" "$files sh -c 'gm montage -size 254x254 \"\$@\" $work/out/g.jpg' gm"
    add "montage -define jpeg:size=254x254" "$files sh -c 'montage -define jpeg:size=254x254 \"\$@\" $work/out/m.jpg' m"
    [ "$slow" = 1 ] && add "montage (defaults: full decode)" "$files sh -c 'montage \"\$@\" $work/out/m.jpg' m"
    run_table "$1" "$list"
}

echo "## pictoloom-sheet benchmark, $(date -u +%Y-%m-%d)"
echo
echo "Machine: $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(nproc) cores, $(free -g | awk '/Mem:/ {print $2}') GB;" \
     "$(. /etc/os-release && echo "$PRETTY_NAME"); load average before: $(cut -d' ' -f1-3 /proc/loadavg)"

for set in $sets; do
    case $set in
    photos12)
        jpeg_table "200 photos of 4000 x 3000" "$corpus/photos12"
        ;;
    photos24)
        jpeg_table "60 photos of 6000 x 4000" "$corpus/photos24"
        ;;
    mixed)
        list="$work/mixed.list"
        ls "$corpus"/mixed/*.* > "$list"
        add "pictoloom-sheet --extensions '*'" "$tool --quiet --extensions '*' $corpus/mixed -o $work/out/p.jpg"
        add "gm montage -size 254x254" "xargs -a $list sh -c 'gm montage -size 254x254 \"\$@\" $work/out/g.jpg' gm"
        add "vipsthumbnail + vips arrayjoin" \
            "xargs -a $list vipsthumbnail -s 127 -o $work/out/%s.jpg && vips arrayjoin \"\$(ls $work/out/*.jpg | tr '\n' ' ')\" $work/out/v.jpg --across 8"
        run_table "60 pictures, PNG, GIF, TIFF, BMP, WebP of 2000 x 1500" "$list"
        ;;
    small)
        ls "$corpus"/small5000/*.jpg > "$work/small.list"
        sheet="--quiet --width 5000 --cols 25 --sides 1"
        add "pictoloom-sheet, 200 files" "$tool $sheet $corpus/small200 -o $work/out/p.jpg"
        add "pictoloom-sheet, 5,000 files" "$tool $sheet $corpus/small5000 -o $work/out/p.jpg"
        add "pictoloom-sheet, 5,000 files, --no-map" "$tool $sheet --no-map $corpus/small5000 -o $work/out/p.jpg"
        run_table "small JPEGs of 640 x 480, --width 5000 --cols 25 --sides 1" "$work/small.list"
        ;;
    esac
done
