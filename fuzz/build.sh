#!/usr/bin/env bash
# Builds the reader fuzzer with libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ (or the folder given as $1).
# The model sources are compiled in directly: the fuzzer needs no Qt and no
# CMake build of the program.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-fuzz}
mkdir -p "$build"
# Undefined behaviour must stop the run, or the fuzzer would not count it as a crash.
clang++ -std=c++17 -g -O1 -Wall -Wextra -Wpedantic $([ "${TESTARION_WERROR:-0}" = 1 ] && echo -Werror) \
    -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
    -I "$root" \
    "$root"/model/*.cpp "$root/fuzz/fuzz_reader.cpp" \
    -o "$build/fuzz_reader"
