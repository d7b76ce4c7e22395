#!/usr/bin/env bash
# Builds the benchmark in release mode and times the building of flight plans
# between random airports (tarnwell_bench plans) over three networks:
#   1. the generated one of the compile benchmark (15,000 high-altitude nodes);
#   2. a real one imported from the free simulator data (see
#      tools/fetch-flightgear-data.sh; FLIGHTGEAR_DATA_CACHE is honoured):
#      by default 60 S to 75 N, 30 W to 180 E, about 15,000 high-altitude
#      nodes; set BENCH_PLANS_REGION="LATMIN LATMAX LONMIN LONMAX" for another;
#   3. the bundled sample folder.
# Arguments are passed to every run, e.g. --pairs 5000 --seed 2.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-bench"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWELL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tarnwell tarnwell_bench

echo
"$build/tarnwell_bench" plans "$@"

echo
read -r -a region <<<"${BENCH_PLANS_REGION:--60 75 -30 180}"
source_dir=$("$here/tools/fetch-flightgear-data.sh")
real="$build/plans-real-network"
rm -rf "$real"
mkdir -p "$real/Data"
echo "Importing the region ${region[*]} from $source_dir"
"$build/tarnwell" --root "$real" import-navdata --xplane "$source_dir" --region "${region[@]}" >"$real/import.log" 2>&1 ||
  { cat "$real/import.log" >&2; exit 1; }
grep -E 'HighAlt.ab1|high airway network' "$real/import.log"
"$build/tarnwell_bench" plans "$real" "$@"

echo
"$build/tarnwell_bench" plans "$here/sample" "$@"
