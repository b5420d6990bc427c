#!/usr/bin/env bash
# Builds the reader fuzzer and runs it for the given number of seconds
# (60 by default) on one core. The seed corpus is copied into build-fuzz/corpus,
# where what the fuzzer finds accumulates from run to run; a crash leaves its
# input in build-fuzz/ and makes this script fail.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=$root/build-fuzz

"$root/fuzz/build.sh" "$build"
mkdir -p "$build/corpus"
cp -n "$root"/fuzz/corpus/* "$build/corpus/"

# 64 KiB holds a test of a few hundred questions; a test larger than that
# adds no new way of reading.
"$build/fuzz_reader" \
    -max_total_time="$seconds" \
    -max_len=65536 \
    -timeout=10 \
    -rss_limit_mb=2048 \
    -dict="$root/fuzz/reader.dict" \
    -artifact_prefix="$build/" \
    -print_final_stats=1 \
    "$build/corpus"
