#!/usr/bin/env bash
# Times the navigation data import of the whole world (the free simulator
# data of Debian's flightgear-data-base: about 27,000 airports, 120,000
# fixes, 70,000 airway segments) in release mode, and prints the peak memory.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWELL_BUILD_TESTS=OFF >/dev/null
cmake --build "$here/build-bench" --target tarnwell
source_dir=$("$here/tools/fetch-flightgear-data.sh")
scratch="$here/build-bench/import-world"
rm -rf "$scratch"
mkdir -p "$scratch/Data"
/usr/bin/time -f "whole world: wall time %e s, peak memory %M KiB" \
  "$here/build-bench/tarnwell" --root "$scratch" import-navdata --xplane "$source_dir"
