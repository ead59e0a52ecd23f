#!/usr/bin/env bash
# Takes the README's screenshots under Xvfb: every page of the main window and
# the About box, with a small sample library, at 96 DPI (docs/screenshots/*.png)
# and at 144 DPI, 150 % (docs/screenshots/*-144dpi.png).
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target pastimo screenshots
# shellcheck source=wine-session.sh
source scripts/wine-session.sh build/win32
dpi() { wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1; }
trap 'dpi 96' EXIT
mkdir -p docs/screenshots
for resolution in 96 144; do
    out="$PWD/build/win32/screenshots-bmp/$resolution"
    rm -rf "$out" && mkdir -p "$out"
    # Wine reads the resolution when a program starts.
    dpi "$resolution"
    wine build/win32/tests/e2e/screenshots.exe "Z:${out//\//\\}"
    suffix=$([ "$resolution" = 96 ] && echo "" || echo "-${resolution}dpi")
    for bmp in "$out"/*.bmp; do
        convert "$bmp" "docs/screenshots/$(basename "${bmp%.bmp}")$suffix.png"
    done
done
dpi 96
ls docs/screenshots
