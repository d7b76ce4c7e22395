#!/usr/bin/env bash
# Renders the desktop program's two windows on the offscreen platform into
# docs/ (after a build in build/).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build --target tarnwell_desktop_tests
QT_QPA_PLATFORM=offscreen build/tarnwell_desktop_tests rendersBothWindows
cp build/screenshots/main-window.png build/screenshots/airline-picker.png docs/
echo "docs/main-window.png and docs/airline-picker.png updated."
