#!/usr/bin/env bash
# Builds the program and every test with AddressSanitizer and
# UndefinedBehaviorSanitizer in build-asan and runs the tests there. A memory
# error, a leak or undefined behaviour fails the test it happens in.
#
#     tools/sanitize.sh [CTEST ARGUMENTS ...]
#
# TARNWELL_SANITIZE_GUI=OFF leaves the desktop program and its tests out.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-asan"
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_FLAGS="$flags" -DTARNWELL_BUILD_BENCH=OFF \
  -DTARNWELL_BUILD_GUI="${TARNWELL_SANITIZE_GUI:-ON}" >/dev/null
cmake --build "$build"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)" "$@"
