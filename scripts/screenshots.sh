#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: every page of the main window and
# the About box, with a small sample library. Writes docs/screenshots/*.png.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target pastimo screenshots
out="$PWD/build/win32/screenshots-bmp"
rm -rf "$out" && mkdir -p "$out" docs/screenshots
scripts/wine-run.sh build/win32 build/win32/tests/e2e/screenshots.exe "Z:${out//\//\\}"
for bmp in "$out"/*.bmp; do
    convert "$bmp" "docs/screenshots/$(basename "${bmp%.bmp}").png"
done
ls docs/screenshots
