#!/usr/bin/env bash
# Builds the fuzzers with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ (or the folder given as $1):
# fuzz_reader for .test files and fuzz_moodlexml, fuzz_gift, fuzz_aiken for
# the question formats of learning platforms. The model sources are compiled
# in directly, once for all four: the fuzzers need no Qt and no CMake build
# of the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
mkdir -p "$build/model"
# Undefined behaviour must stop the run, or the fuzzer would not count it as a crash.
flags=(-std=c++17 -g -O1 -Wall -Wextra -Wpedantic $([ "${TESTARION_WERROR:-0}" = 1 ] && echo -Werror)
       -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer
       -I "$root")
objects=()
for source in "$root"/model/*.cpp; do
    object=$build/model/$(basename "$source" .cpp).o
    clang++ "${flags[@]}" -c "$source" -o "$object"
    objects+=("$object")
done
clang++ "${flags[@]}" "${objects[@]}" "$root/fuzz/fuzz_reader.cpp" -o "$build/fuzz_reader"
for format in MoodleXml:moodlexml Gift:gift Aiken:aiken; do
    clang++ "${flags[@]}" -DEXCHANGE_FORMAT="${format%%:*}" \
        "${objects[@]}" "$root/fuzz/fuzz_exchange.cpp" -o "$build/fuzz_${format##*:}"
done
