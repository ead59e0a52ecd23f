#!/usr/bin/env bash
# Runs every test: the portable core natively, then the program and its tests
# under Wine on a private virtual display with a real system tray. Installs
# what is missing first. Exit status: 0 only when both runs pass.
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash scripts/install-deps.sh || exit 1

status=0
step() { echo; echo "=== $*"; }

step "Native build and tests"
if cmake --preset native >/dev/null && cmake --build --preset native; then
    ctest --preset native || status=1
else
    echo "native build failed"; status=1
fi

step "Native tests under AddressSanitizer and UBSan"
if cmake --preset asan >/dev/null && cmake --build --preset asan; then
    ctest --preset asan || status=1
else
    echo "asan build failed"; status=1
fi

step "Fuzz targets, a short run each"
if cmake --preset fuzz >/dev/null && cmake --build --preset fuzz; then
    ctest --preset fuzz || status=1
else
    echo "fuzz build failed"; status=1
fi

step "Windows build and tests under Wine"
if cmake --preset win32 >/dev/null && cmake --build --preset win32; then
    # One display, tray and wineserver for the whole run, ended afterwards.
    trap 'bash scripts/wine-session.sh stop build/win32 >/dev/null 2>&1' EXIT
    bash scripts/wine-session.sh build/win32 >/dev/null
    ctest --preset win32 || status=1
else
    echo "Windows build failed"; status=1
fi
exit $status
