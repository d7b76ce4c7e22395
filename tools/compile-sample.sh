#!/usr/bin/env bash
# Compiles the bundled sample timetable, merged with the flights of two
# real-world airlines that touch its airports, in a scratch copy of the
# sample program folder (build/sample-run), so no tracked file is ever changed.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bin="${TARNWELL_BIN:-$here/build/tarnwell}"
run="$here/build/sample-run"
rm -rf "$run"
mkdir -p "$run"
cp -R "$here/sample/." "$run/"
"$bin" --root "$run" compile "$run/VirtualAir.KRX" \
  --set-name "Tarnwell Air (Leeds)" --airline-iata TWL --airline-name "Tarnwell Air" \
  --real-world-airline BAW --real-world-airline EZY \
  --status-log "$run/status.log"
echo "Files written:"
ls -l "$run/Data/Tarnwell Air (Leeds)"
"$bin" --root "$run" check "Tarnwell Air (Leeds)"
