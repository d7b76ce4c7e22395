#!/usr/bin/env bash
# Builds the benchmark in release mode and prints its figures. Arguments go to
# tarnwell_bench:
#   [compile] [FOLDER]                          the compile's steps (the default)
#   plans [FOLDER] [--pairs N] [--seed N] [--city-pairs FILE]
#                                               flight plans between random airports
#                                               (or the city pairs of a UniqueRoutes.txt)
#   merge [FOLDER]                              the real-world merge of 10 airlines
# tools/bench-plans.sh runs the plans mode over three networks.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWELL_BUILD_TESTS=OFF >/dev/null
cmake --build "$here/build-bench" --target tarnwell_bench
if command -v /usr/bin/time >/dev/null 2>&1; then
  /usr/bin/time -f "peak memory: %M KiB, wall time: %e s" "$here/build-bench/tarnwell_bench" "$@"
else
  "$here/build-bench/tarnwell_bench" "$@"
fi
