#!/usr/bin/env bash
# Renders the desktop program's windows on the offscreen platform into docs/
# (after a build in build/, or in the build folder given as the first
# argument): the two described windows, the main window part way through a
# compile and after a failure, the failure's message box, the summary of a
# finished compile, and the map window of the sample with two flight plans.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cmake --build "$build" --target tarnwell_desktop_tests tarnwell_map_window_tests
QT_QPA_PLATFORM=offscreen "$build"/tarnwell_desktop_tests rendersBothWindows rendersWorkInProgressFailureAndSummary
QT_QPA_PLATFORM=offscreen "$build"/tarnwell_map_window_tests >/dev/null
pictures=(main-window.png airline-picker.png main-window-working.png main-window-failed.png failure-box.png
          compile-summary.png map.png)
for picture in "${pictures[@]}"; do cp "$build/screenshots/$picture" docs/; done
echo "docs/: ${pictures[*]} updated."
