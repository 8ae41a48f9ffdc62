#!/bin/sh
# Runs each fuzz target for a bounded time on a copy of its seed corpus;
# a crash, leak or sanitizer report fails the run. Usage: fuzz/run.sh [seconds per target]
set -e
seconds=${1:-30}
here=$(cd "$(dirname "$0")" && pwd)
build=$here/../build/fuzz
for target in dispatcher_fuzzer wave_image_fuzzer; do
    corpus=$build/corpus/$target
    artifacts=$build/artifacts/$target
    mkdir -p "$corpus" "$artifacts"
    cp "$here"/corpus/"$target"/* "$corpus"/
    echo "fuzzing $target for $seconds s"
    # A fixed seed: each run walks the same inputs first, so CI repeats itself.
    "$build/fuzz/$target" -seed=1 -max_total_time="$seconds" -timeout=20 -rss_limit_mb=4096 -print_final_stats=1 \
        -artifact_prefix="$artifacts/" "$corpus" 2>"$build/$target.log" || {
        tail -60 "$build/$target.log"
        exit 1
    }
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)' "$build/$target.log" || true
done
