# Sourced by the scan benchmarks: make_scan_tree DIR fills DIR with 100,000
# empty .jpg files in 2,000 folders (40 top folders of 49 sub-folders each,
# 50 files in every folder).
make_scan_tree() {
    for top in $(seq 1 40); do
        for sub in $(seq 0 49); do
            if [ "$sub" -eq 0 ]; then dir="$1/t$top"; else dir="$1/t$top/s$sub"; fi
            mkdir -p "$dir"
            (cd "$dir" && touch $(seq -f "img%g.jpg" 1 50))
        done
    done
}
