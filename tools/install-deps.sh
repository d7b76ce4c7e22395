#!/usr/bin/env bash
# Installs what building and testing need on Debian (as root, or through sudo).
set -euo pipefail
# qt6-base-dev builds the desktop program; fonts-liberation2 gives its windows
# a typeface with the metrics of Arial where Arial itself is not installed.
# clang and libclang-rt-dev (libFuzzer and the sanitizers' runtimes) build the
# fuzz targets; llvm gives llvm-symbolizer, which names the source lines in a
# sanitizer's report.
# g++-mingw-w64-x86-64-posix, libz-mingw-w64-dev and googletest's sources
# cross-build the Windows program and its tests, which wine runs; dpkg-dev
# gives dpkg-shlibdeps, with which CPack finds the .deb's dependencies.
packages=(g++ cmake ninja-build libgtest-dev zlib1g-dev python3 qt6-base-dev fonts-liberation2
  clang libclang-rt-dev llvm
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest wine wine64 dpkg-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "All build dependencies are installed."
  exit 0
fi
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
"${as_root[@]}" apt-get update
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
