#!/usr/bin/env bash
# Prints a folder holding the free flight-simulation navigation data
# (Navaids/nav.dat.gz, fix.dat.gz, awy.dat.gz and Airports/apt.dat.gz) of
# Debian's flightgear-data-base package. Uses the installed package when it
# is there; otherwise downloads the package (about 1.3 GB, once) and unpacks
# only those files and the package's copyright file into the cache folder
# (default build/flightgear-data; set FLIGHTGEAR_DATA_CACHE to change it).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
installed=/usr/share/games/flightgear
if [ -f "$installed/Navaids/awy.dat.gz" ] && [ -f "$installed/Airports/apt.dat.gz" ]; then
  echo "$installed"
  exit 0
fi
cache=${FLIGHTGEAR_DATA_CACHE:-$here/build/flightgear-data}
data="$cache/usr/share/games/flightgear"
if [ ! -f "$data/Airports/apt.dat.gz" ]; then
  mkdir -p "$cache"
  (
    cd "$cache"
    if ! ls flightgear-data-base_*.deb >/dev/null 2>&1; then
      as_root=()
      [ "$(id -u)" -eq 0 ] || as_root=(sudo)
      "${as_root[@]}" apt-get update >&2
      apt-get download flightgear-data-base >&2
    fi
    dpkg-deb --fsys-tarfile flightgear-data-base_*.deb |
      tar -x --wildcards './usr/share/games/flightgear/Navaids/*.dat.gz' \
        './usr/share/games/flightgear/Airports/apt.dat.gz' './usr/share/doc/flightgear-data-base/copyright'
  )
fi
echo "$data"
