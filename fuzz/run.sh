#!/usr/bin/env bash
# Builds the fuzzers and runs each for the given number of seconds (60 by
# default) on one core, one after another: fuzz/run.sh [SECONDS] [NAME...],
# NAME being reader, moodlexml, gift or aiken (all four when none is given).
# Each fuzzer's seed corpus is copied into its folder under build-fuzz/,
# where what it finds accumulates from run to run; a crash leaves its input
# in build-fuzz/ and makes this script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
shift || true
names=("$@")
[ ${#names[@]} -gt 0 ] || names=(reader moodlexml gift aiken)
build=$root/build-fuzz

"$root/fuzz/build.sh" "$build"
for name in "${names[@]}"; do
    if [ "$name" = reader ]; then
        seeds=$root/fuzz/corpus corpus=$build/corpus
    else
        seeds=$root/fuzz/corpus-$name corpus=$build/corpus-$name
    fi
    mkdir -p "$corpus"
    cp -n "$seeds"/* "$corpus/"
    # 64 KiB holds a file of a few hundred questions; a larger one adds no
    # new way of reading.
    "$build/fuzz_$name" \
        -max_total_time="$seconds" \
        -max_len=65536 \
        -timeout=10 \
        -rss_limit_mb=2048 \
        -dict="$root/fuzz/$name.dict" \
        -artifact_prefix="$build/" \
        -print_final_stats=1 \
        "$corpus"
done
