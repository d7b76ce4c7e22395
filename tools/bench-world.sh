#!/usr/bin/env bash
# Times a whole-world compile in release mode: imports the free simulator
# data of the whole world (first argument: the folder holding it; default
# the one tools/fetch-flightgear-data.sh gives, FLIGHTGEAR_DATA_CACHE is
# honoured) into build-world/world, writes a 100,001-flight timetable over
# 3,000 airports and 25,000 city pairs, 15% of them long-haul
# (tools/make-world-timetable.py), and compiles it twice, each time in a fresh
# copy of that program folder: with --jobs 1 and with the default (every
# hardware thread). Prints wall time, CPU time, plans per second and peak
# memory of each, and the speed-up of the default run.
#
# BASELINE=BINARY first runs the same compile with another tarnwell (one
# without --jobs) and checks that the default run writes the same route set,
# Data/PlanLog.txt, Data/UniqueRoutes.txt and KRplans/*.krp byte for byte;
# the --jobs 1 run is checked against the default run the same way. Exits 1
# when any output differs.
#
# Last, tarnwell_bench plans builds the same city pairs one after another
# and reports the slowest single airway search and how many reached the
# search time limit.
#
# The import is reused while build-world/world holds it from the same source
# folder (remove build-world/world to import afresh). A run takes a few
# minutes on two cores.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-world"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWELL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" --target tarnwell tarnwell_bench
tarnwell="$build/tarnwell"
baseline=${BASELINE:-}
if [ -n "$baseline" ] && [ ! -x "$baseline" ]; then
  echo "error: BASELINE=$baseline is not an executable file" >&2
  exit 2
fi

# --- the navigation data of the whole world -------------------------------
source_dir=${1:-$("$here/tools/fetch-flightgear-data.sh")}
source_dir=$(cd "$source_dir" && pwd)
world="$build/world"
import_log="$build/world-import.log"
import_source="$build/world-import.source"
data_files=(nav_APT.bin nav_VOR.bin nav_NDB.bin nav_ISC.bin HighAlt.ab1 LowAlt.ab1
  nv_apt1.nv2 nv_apt2.nv2 nv_apt3.nv2 Altitudes.txt)
reuse=yes
[ -f "$import_log" ] && [ "$(cat "$import_source" 2>/dev/null)" = "$source_dir" ] || reuse=no
for f in "${data_files[@]}"; do [ -f "$world/Data/$f" ] || reuse=no; done

echo
if [ "$reuse" = yes ]; then
  echo "Reusing the import of $source_dir in $world/Data:"
else
  echo "Importing the whole world from $source_dir into $world/Data"
  rm -rf "$world" "$import_log" "$import_source"
  mkdir -p "$world/Data"
  "$tarnwell" --root "$world" import-navdata --xplane "$source_dir" >"$import_log.new" 2>"$build/world-import.err" ||
    { cat "$import_log.new" "$build/world-import.err" >&2; exit 1; }
  mv "$import_log.new" "$import_log"
  echo "$source_dir" >"$import_source"
fi
sed -n '/^Wrote into/,$p' "$import_log"
# The real-world airline list: the compile only warns without it.
if [ -f "$here/sample/Data/airline.kr1" ]; then
  cp "$here/sample/Data/airline.kr1" "$world/Data/airline.kr1"
fi

# --- the timetable --------------------------------------------------------
timetable="$build/World.KRX"
echo
python3 "$here/tools/make-world-timetable.py" "$world/Data" "$timetable" | tee "$build/World.summary"
long_haul=$(sed -n 's/.*city pairs (\([0-9.]*%\)).*/\1/p' "$build/World.summary")
airports=$(sed -n '1s/.* city pairs between \([0-9]*\) of .*/\1/p' "$build/World.summary")
flights=$(wc -l <"$timetable")

# --- the compiles ---------------------------------------------------------
declare -A wall cpu mib plans_per_s
pairs=0
threads=$(nproc)

# run_compile LABEL BINARY [OPTION...]: compiles the timetable in a fresh copy
# of the world folder, build-world/run-LABEL, and prints its figures.
run_compile() {
  local label=$1 binary=$2
  shift 2
  local folder="$build/run-$label"
  rm -rf "$folder" "$folder.log" "$folder.time"
  cp -r "$world" "$folder"
  echo
  echo "Compiling ($label): $binary --root $folder compile ... $*"
  if ! /usr/bin/time -f '%e %U %S %M' -o "$folder.time" "$binary" --root "$folder" compile "$timetable" \
    --set-name World --airline-iata TWL --airline-name "Tarnwell World" "$@" >"$folder.log" 2>&1; then
    tail -n 20 "$folder.log" >&2
    echo "error: the compile ($label) failed; its output is in $folder.log" >&2
    exit 1
  fi
  local e u s k
  read -r e u s k < <(tail -n 1 "$folder.time")
  # One city pair a line, no header; each has one plan.
  local n
  n=$(wc -l <"$folder/Data/UniqueRoutes.txt")
  [ "$pairs" -eq 0 ] || [ "$pairs" -eq "$n" ] ||
    echo "warning: $n city pairs in this run, $pairs in the one before" >&2
  pairs=$n
  wall[$label]=$e
  cpu[$label]=$(awk -v u="$u" -v s="$s" 'BEGIN { printf "%.2f", u + s }')
  mib[$label]=$(awk -v k="$k" 'BEGIN { printf "%.1f", k / 1024 }')
  plans_per_s[$label]=$(awk -v n="$n" -v e="$e" 'BEGIN { printf "%.0f", (e > 0 ? n / e : 0) }')
  grep '^Finished:' "$folder.log" | sed 's/^/  /'
  local warnings altitudes built
  warnings=$(grep -c '^warning:' "$folder.log" || true)
  altitudes=$(grep -c '^warning:.*not in the altitude list' "$folder.log" || true)
  built=$(grep -c ',SUCCESS' "$folder/Data/PlanLog.txt" || true)
  echo "  $n city pairs, $built plans built; $warnings warnings ($altitudes airports not in the altitude list)"
  printf '  wall time %s s, CPU time %s s, %s plans/s, peak memory %s MiB\n' \
    "${wall[$label]}" "${cpu[$label]}" "${plans_per_s[$label]}" "${mib[$label]}"
}

# ratio A B: A / B to two places.
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }

# compare_outputs A B: byte for byte, the outputs of two compile runs;
# prints "identical" or the differences and returns 1.
compare_outputs() {
  local a="$build/run-$1" b="$build/run-$2" differences
  differences=$(
    {
      diff -rq "$a/Data/World" "$b/Data/World" || true
      for f in Data/PlanLog.txt Data/UniqueRoutes.txt; do cmp -s "$a/$f" "$b/$f" || echo "Files $a/$f and $b/$f differ"; done
      diff -rq "$a/KRplans" "$b/KRplans" || true
    } 2>&1
  )
  if [ -z "$differences" ]; then
    echo "  $1 and $2: identical (Data/World/*, Data/PlanLog.txt, Data/UniqueRoutes.txt, $(find "$b/KRplans" -name "*.krp" | wc -l) KRplans/*.krp)"
    return 0
  fi
  echo "  $1 and $2 differ in $(wc -l <<<"$differences") files:"
  head -n 40 <<<"$differences" | sed 's/^/    /'
  [ "$(wc -l <<<"$differences")" -le 40 ] || echo "    ..."
  return 1
}

labels=()
if [ -n "$baseline" ]; then
  run_compile baseline "$baseline"
  labels+=(baseline)
fi
run_compile jobs-1 "$tarnwell" --jobs 1
run_compile default "$tarnwell"
labels+=(jobs-1 default)

echo
echo "Comparing the outputs"
same=yes
compare_outputs jobs-1 default || same=no
if [ -n "$baseline" ]; then compare_outputs baseline default || same=no; fi

# --- the airway searches, one after another -------------------------------
echo
bench_log="$build/world-plans.log"
"$build/tarnwell_bench" plans "$world" --city-pairs "$build/run-default/Data/UniqueRoutes.txt" | tee "$bench_log"
slowest=$(sed -n 's/^ *slowest single airway search: //p' "$bench_log")

# --- summary --------------------------------------------------------------
echo
echo "==== Whole-world compile"
echo "  $flights flights, $pairs city pairs ($long_haul long-haul, 3,000 to 7,500 NM) between $airports airports"
printf '  %-22s %10s %10s %9s %12s\n' run "wall" "CPU" "plans/s" "peak memory"
for label in "${labels[@]}"; do
  case $label in
    baseline) name="baseline" ;;
    jobs-1) name="--jobs 1" ;;
    default) name="default ($threads threads)" ;;
  esac
  printf '  %-22s %8s s %8s s %9s %8s MiB\n' "$name" "${wall[$label]}" "${cpu[$label]}" "${plans_per_s[$label]}" \
    "${mib[$label]}"
done
echo -n "  speed-up of the default (wall time): $(ratio "${wall[jobs-1]}" "${wall[default]}")x against --jobs 1"
if [ -n "$baseline" ]; then echo -n ", $(ratio "${wall[baseline]}" "${wall[default]}")x against the baseline"; fi
echo
if [ "$same" = yes ]; then
  echo "  outputs: identical"
else
  echo "  outputs: DIFFERENT (see above)"
fi
echo "  slowest single airway search: $slowest"
[ "$same" = yes ] || exit 1
