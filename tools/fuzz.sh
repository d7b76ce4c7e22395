#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang in build-fuzz, fills their seed
# corpora from the sample, runs every target for SECONDS and prints, per
# target, the executions, the coverage (cov: and ft: as libFuzzer gives them
# at the end) and any finding. Exits 1 when a target found something: its
# input is then in build-fuzz/findings/, its log in build-fuzz/logs/.
#
#     tools/fuzz.sh SECONDS [TARGET ...]
#
# FUZZ_JOBS targets run at once (default: one per core). What a run learns
# stays in build-fuzz/corpus/ for the next one.
set -euo pipefail
seconds="${1:?usage: tools/fuzz.sh SECONDS [TARGET ...]}"
shift
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-fuzz"

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DTARNWELL_BUILD_FUZZERS=ON \
  -DTARNWELL_BUILD_TESTS=OFF -DTARNWELL_BUILD_BENCH=OFF -DTARNWELL_BUILD_GUI=OFF >/dev/null
cmake --build "$build"
python3 "$here/tools/fuzz-seeds.py" "$build/tarnwell" "$build/seeds"

if [ $# -gt 0 ]; then
  targets=("$@")
else
  targets=()
  for source in "$here"/fuzz/*.cpp; do targets+=("$(basename "$source" .cpp)"); done
fi

# The longest input per target: a little above its largest seed.
max_len() {
  case "$1" in
    timetable | route_set | route_set_map) echo 131072 ;;
    add_file | airline_csv | airline_list | altitudes | unique_routes) echo 32768 ;;
    *) echo 65536 ;;
  esac
}

mkdir -p "$build/logs" "$build/findings"
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}"
# The targets write their inputs to files; memory is the quickest place for them.
if [ -z "${TMPDIR:-}" ] && [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi
run() {
  local t=$1
  mkdir -p "$build/corpus/$t"
  rm -f "$build/logs/$t.rc"
  set +e
  "$build/fuzz/fuzz_$t" -max_total_time="$seconds" -max_len="$(max_len "$t")" -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 -artifact_prefix="$build/findings/$t-" "$build/corpus/$t" "$build/seeds/$t" \
    >"$build/logs/$t.log" 2>&1
  echo $? >"$build/logs/$t.rc"
}

jobs="${FUZZ_JOBS:-$(nproc)}"
running=0
for t in "${targets[@]}"; do
  [ -x "$build/fuzz/fuzz_$t" ] || { echo "no fuzz target $t" >&2; exit 2; }
  if [ "$running" -ge "$jobs" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  run "$t" &
  running=$((running + 1))
done
wait || true

found=0
passed=0
printf '%-18s %12s %7s %8s  %s\n' target executions cov ft result
for t in "${targets[@]}"; do
  log="$build/logs/$t.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  last=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1 || true)
  cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$last")
  [ -n "$execs" ] || execs=$(sed -n 's/^#\([0-9]*\).*/\1/p' <<<"$last")
  ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$last")
  if [ "$(cat "$build/logs/$t.rc" 2>/dev/null || echo 1)" = 0 ]; then
    result=ok
    passed=$((passed + 1))
  else
    found=1
    what=$(grep -m1 -E '^==[0-9]+==ERROR|^SUMMARY|runtime error|broken promise|deadly signal|ALARM: working on the last Unit|out-of-memory|uncaught exception|terminate called' "$log" || true)
    input=$(sed -n 's/.*Test unit written to \(.*\)$/\1/p' "$log" | tail -1)
    result="FOUND: ${what:-exit status $(cat "$build/logs/$t.rc" 2>/dev/null)}; input ${input:-none}; log $log"
  fi
  printf '%-18s %12s %7s %8s  %s\n' "$t" "${execs:-?}" "${cov:-?}" "${ft:-?}" "$result"
done
echo "fuzz: $passed passed, $(( ${#targets[@]} - passed )) failed"
exit "$found"
