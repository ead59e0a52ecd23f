#!/usr/bin/env bash
# Runs every test: the portable core natively, under AddressSanitizer and
# UBSan, and a short fuzz run of each reader of outside input; then the program
# and its tests under Wine on a private virtual display with a real system
# tray. Installs what is missing first. Exit status: 0 only when all pass.
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash scripts/install-deps.sh || exit 1

status=0

# run_preset TITLE PRESET [command before the tests]: configure, build, test.
run_preset() {
    local title=$1 preset=$2 before=${3:-}
    echo; echo "=== $title"
    if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
        [ -n "$before" ] && eval "$before"
        ctest --preset "$preset" || status=1
    else
        echo "$preset build failed"; status=1
    fi
}

run_preset "Native build and tests" native
run_preset "Native tests under AddressSanitizer and UBSan" asan
run_preset "Fuzz targets, a short run each" fuzz
# One display, tray and wineserver for the whole Wine run, ended afterwards.
# Last, so that its CTest summary closes the output.
trap 'bash scripts/wine-session.sh stop build/win32 >/dev/null 2>&1' EXIT
run_preset "Windows build and tests under Wine" win32 "bash scripts/wine-session.sh build/win32 >/dev/null"
exit $status
