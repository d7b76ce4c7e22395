#!/usr/bin/env bash
# Cross-builds the Windows program (core, command line, tests) with
# MinGW-w64 in build-windows, runs the tests and the sample compile under
# wine, checks that the sample's route set is byte for byte the Linux
# build's (with an ASCII and a non-ASCII set name), and packs
# build-windows/tarnwell-VERSION-windows-x64.zip: tarnwell.exe, the sample
# program folder, README-Windows.txt and the licence notices.
# Needs tools/install-deps.sh (which installs the cross compiler and wine)
# and the Linux build in build/ (made when missing).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build="$here/build-windows"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEDEBUG=-all

cmake -S "$here" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DTARNWELL_BUILD_GUI=OFF -DTARNWELL_BUILD_BENCH=OFF \
  -DTARNWELL_GTEST_SOURCE=/usr/src/googletest >/dev/null
cmake --build "$build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
version=${version:-0}

echo "Preparing wine in $WINEPREFIX"
# One wine server for the whole run: a server that stops when idle can be
# leaving just as the next test starts, which then fails to reach it.
wineserver --kill >/dev/null 2>&1 || true
wineserver --wait >/dev/null 2>&1 || true
wineserver --persistent
trap 'wineserver --kill >/dev/null 2>&1 || true' EXIT
# wineboot starts wine's background services, which keep the output they
# were started with: here nothing, rather than a test's output pipe.
wineboot --init >/dev/null 2>&1 || true

echo "Running the tests under wine"
ctest --test-dir "$build" --output-on-failure -j 2 --timeout 300 -E '^layout$'

# The sample compiled by the Linux and the Windows program, each in its own
# copy of the sample folder, with the same set name.
[ -x "$here/build/tarnwell" ] || { cmake -S "$here" -B "$here/build" -G Ninja >/dev/null && cmake --build "$here/build" --target tarnwell; }
compile_sample() {  # BINARY RUNNER FOLDER SETNAME
  local binary=$1 runner=$2 folder=$3 set=$4
  rm -rf "$folder"
  mkdir -p "$folder"
  cp -R "$here/sample/." "$folder/"
  $runner "$binary" --root "$folder" compile "$folder/VirtualAir.KRX" --set-name "$set" \
    --airline-iata TWL --airline-name "Tarnwell Air" --real-world-airline BAW --real-world-airline EZY \
    >"$folder.log" 2>&1 || { cat "$folder.log" >&2; exit 1; }
}
same=yes
for set in "Tarnwell Air (Leeds)" "Société Aérienne"; do
  compile_sample "$here/build/tarnwell" "" "$build/sample-linux" "$set"
  compile_sample "$build/tarnwell.exe" wine "$build/sample-windows" "$set"
  for side in linux windows; do
    [ -d "$build/sample-$side/Data/$set" ] || { echo "error: no folder Data/$set from the $side build" >&2; exit 1; }
  done
  if diff -r "$build/sample-linux/Data/$set" "$build/sample-windows/Data/$set" >/dev/null &&
    cmp -s "$build/sample-linux/Data/PlanLog.txt" "$build/sample-windows/Data/PlanLog.txt"; then
    echo "Sample route set \"$set\": identical on Windows and Linux"
  else
    echo "error: the sample route set \"$set\" differs between Windows and Linux" >&2
    same=no
  fi
done
[ "$same" = yes ] || exit 1

# The zip.
stage="$build/package/tarnwell-$version-windows-x64"
rm -rf "$build/package"
mkdir -p "$stage/licenses"
cp "$build/tarnwell.exe" "$stage/"
cp -R "$here/sample" "$stage/sample"
# Notepad and the command prompt read it best with CR LF line ends.
sed -e "s/@PACKAGE@/tarnwell-$version-windows-x64/g" -e 's/$/\r/' "$here/packaging/windows/README-Windows.txt" \
  >"$stage/README-Windows.txt"
cp "$here/sample/NOTICE" "$stage/licenses/sample-data-NOTICE.txt"
cp "$here/sample/COPYING.GPL-2" "$stage/licenses/sample-data-COPYING.GPL-2.txt"
cp "$here/data/coastlines-NOTICE.txt" "$stage/licenses/coastlines-NOTICE.txt"
# tarnwell.exe holds the compiler's runtime, its threads library and zlib.
for package in gcc-mingw-w64-base mingw-w64-x86-64-dev libz-mingw-w64; do
  [ -f "/usr/share/doc/$package/copyright" ] && cp "/usr/share/doc/$package/copyright" "$stage/licenses/$package.txt"
done
zip="$build/tarnwell-$version-windows-x64.zip"
rm -f "$zip"
(cd "$build/package" && cmake -E tar cf "$zip" --format=zip "tarnwell-$version-windows-x64")

# The zip unpacked into a fresh folder compiles its own sample.
check="$build/zip-check"
rm -rf "$check"
mkdir -p "$check"
(cd "$check" && cmake -E tar xf "$zip")
unpacked="$check/tarnwell-$version-windows-x64"
(cd "$unpacked" && wine ./tarnwell.exe --root sample compile sample/VirtualAir.KRX --set-name "Société Aérienne" \
  --airline-iata TWL --airline-name "Tarnwell Air" --real-world-airline BAW --real-world-airline EZY >/dev/null 2>&1) || { echo "error: the unzipped program failed" >&2; exit 1; }
diff -r "$unpacked/sample/Data/Société Aérienne" "$build/sample-linux/Data/Société Aérienne" >/dev/null ||
  { echo "error: the unzipped program's route set differs" >&2; exit 1; }
echo "Packed $zip ($(du -k "$zip" | cut -f1) KiB)"
