#!/usr/bin/env bash
# Builds the release programs in build-package and packs them with CPack: a
# .deb and a .tar.gz in build-package/ (or, given a configured build folder,
# packs that folder's programs there). Then checks what a user would get:
# the .deb's declared dependencies resolve with apt, its files are where
# they belong, and the installed command line (unpacked into a scratch
# folder) compiles a copy of the installed sample program folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -ge 1 ]; then
  build=$(cd "$1" && pwd)
else
  build="$here/build-package"
  cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTARNWELL_BUILD_TESTS=OFF -DTARNWELL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build "$build"
rm -f "$build"/tarnwell*.deb "$build"/tarnwell*.tar.gz
(cd "$build" && cpack >/dev/null)
deb=$(ls "$build"/tarnwell_*.deb)
tgz=$(ls "$build"/tarnwell-*.tar.gz)

echo "Checking $(basename "$deb")"
dpkg-deb --field "$deb" Package Version Architecture Depends
contents=$(dpkg-deb --contents "$deb")
for file in usr/bin/tarnwell usr/share/man/man1/tarnwell.1 usr/share/bash-completion/completions/tarnwell \
  usr/share/tarnwell/sample/VirtualAir.KRX; do
  grep -q "\./$file\$" <<<"$contents" || { echo "error: the package lacks /$file" >&2; exit 1; }
done
if grep -q '^TARNWELL_BUILD_GUI:BOOL=ON' "$build/CMakeCache.txt"; then
  for file in usr/bin/tarnwell-gui usr/share/applications/tarnwell.desktop \
    usr/share/icons/hicolor/scalable/apps/tarnwell.svg; do
    grep -q "\./$file\$" <<<"$contents" || { echo "error: the package lacks /$file" >&2; exit 1; }
  done
fi
# apt resolves the declared dependencies without installing anything.
apt-get install --simulate --no-install-recommends "$deb" >/dev/null ||
  { echo "error: apt cannot install $(basename "$deb")" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
dpkg-deb --extract "$deb" "$scratch/root"
"$scratch/root/usr/bin/tarnwell" --version
cp -R "$scratch/root/usr/share/tarnwell/sample" "$scratch/airline"
"$scratch/root/usr/bin/tarnwell" --quiet --root "$scratch/airline" compile "$scratch/airline/VirtualAir.KRX" \
  --set-name "Tarnwell Air (Leeds)" --airline-iata TWL --airline-name "Tarnwell Air"
"$scratch/root/usr/bin/tarnwell" --quiet --root "$scratch/airline" check "Tarnwell Air (Leeds)"
echo "The installed program compiles the installed sample"
tar -tzf "$tgz" | grep -q '/bin/tarnwell$' || { echo "error: $(basename "$tgz") lacks bin/tarnwell" >&2; exit 1; }
for package in "$deb" "$tgz"; do
  echo "Packed $package ($(du -k "$package" | cut -f1) KiB)"
done
