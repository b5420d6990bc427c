#!/usr/bin/env bash
# Builds Testarion and its tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ (or the folder given as $1) and
# runs the whole test suite there. Any report, a leak included, fails the run.
set -euo pipefail
export LC_ALL=C.UTF-8
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build-asan}
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTESTARION_SANITIZE=ON \
    -DTESTARION_WERROR="$([ "${TESTARION_WERROR:-0}" = 1 ] && echo ON || echo OFF)" >/dev/null
cmake --build "$build" -j"$(nproc)"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cd "$build"
# The end-to-end run drives the real program in an X window, where the
# desktop's D-Bus library leaks a buffer of its own at exit (LeakSanitizer
# reports it); it runs in the plain build only.
ctest --output-on-failure -j"$(nproc)" -E e2e_real_window
