#!/usr/bin/env bash
# Builds the fuzz targets with clang in build-fuzz and runs each one for
# SECONDS (default 60) from its committed seed corpus. Fails on any finding;
# the input that caused it is left in build-fuzz/findings/<target>/.
#   fuzz/run_fuzzers.sh [SECONDS] [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${1:-60}
shift || true
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(fuzz_jpegcodec fuzz_magickreader fuzz_inifile fuzz_maplink)
build=${FUZZ_BUILD_DIR:-build-fuzz}

compiler=${CXX:-}
if [ -z "$compiler" ]; then
    for c in clang++-14 clang++; do
        if command -v "$c" >/dev/null; then compiler=$c; break; fi
    done
fi
[ -n "$compiler" ] || { echo "run_fuzzers.sh: clang++ not found" >&2; exit 1; }

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$compiler" \
    -DPICTOLOOM_FUZZ=ON -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}"

export ASAN_OPTIONS=detect_leaks=1
export LSAN_OPTIONS=suppressions=$root/tools/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
for target in "${targets[@]}"; do
    # The committed corpus stays as it is; new inputs go to the copy.
    mkdir -p "$work/$target"
    cp -r "fuzz/corpus/$target/." "$work/$target/"
    findings="$build/findings/$target"
    mkdir -p "$findings"
    echo "== $target: ${seconds}s"
    # A fixed seed makes a CI run explore the same way each time; FUZZ_SEED=0 picks one at random.
    if ! nice -n 19 "$build/fuzz/$target" -seed="${FUZZ_SEED:-1}" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=3072 \
            -print_final_stats=1 -artifact_prefix="$findings/" "$work/$target" \
            >"$findings/log.txt" 2>&1; then
        tail -n 60 "$findings/log.txt"
        failed+=("$target")
    else
        grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$findings/log.txt" | tail -n 2 || true
    fi
done

if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzzing found faults in: ${failed[*]} (inputs in $build/findings/)" >&2
    exit 1
fi
echo "fuzzing: ${#targets[@]} targets, ${seconds}s each, no finding"
