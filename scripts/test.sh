#!/usr/bin/env bash
# Runs every test: the portable core natively, under AddressSanitizer and
# UBSan, and a short fuzz run of each reader of outside input; then both
# Windows builds (32-bit and 64-bit) and their tests under Wine on a private
# virtual display with a real system tray, for each build this machine can
# run: the 64-bit one always, the 32-bit one where the machine executes
# 32-bit x86 code. Checks the sources' layout with clang-format first.
# Installs what is missing first. Exit status: 0 only when
# all pass and at least one Windows build's tests ran.
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

bash scripts/install-deps.sh || exit 1

status=0

# build_preset TITLE PRESET: configure and build.
build_preset() {
    local title=$1 preset=$2
    echo; echo "=== $title"
    if cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; then
        return 0
    fi
    echo "$preset build failed"; status=1
    return 1
}

# run_preset TITLE PRESET: configure, build, test.
run_preset() {
    build_preset "$@" && { ctest --preset "$2" || status=1; }
}

echo "=== Source layout (clang-format)"
bash scripts/check-format.sh || status=1

run_preset "Native build and tests" native
run_preset "Native tests under AddressSanitizer and UBSan" asan
run_preset "Fuzz targets, a short run each" fuzz

# Both Windows programs are built on every machine; each runs where it can.
built32=0 built64=0
build_preset "Windows build, 32-bit" win32 && built32=1
build_preset "Windows build, 64-bit" win64 && built64=1

# Why a Windows build's tests cannot run on this machine; nothing when they can.
cannot_run() {
    if [ "$1" = win32 ]; then
        bash scripts/can-run-32bit.sh || return 0
        /usr/lib/wine/wine --version >/dev/null 2>&1 || { echo "32-bit Wine (wine32:i386) is not installed"; return 0; }
    else
        /usr/lib/wine/wine64 --version >/dev/null 2>&1 || { echo "64-bit Wine (wine64) does not start"; return 0; }
    fi
}

# One display, tray and wineserver per build for its Wine run, ended
# afterwards. Last, so that a CTest summary closes the output.
trap 'bash scripts/wine-session.sh stop build/win32 >/dev/null 2>&1; bash scripts/wine-session.sh stop build/win64 >/dev/null 2>&1' EXIT
windows_runs=0
for preset in win32 win64; do
    bits=${preset#win}
    built_var=built$bits
    [ "${!built_var}" = 1 ] || continue
    reason=$(cannot_run "$preset")
    if [ -n "$reason" ]; then
        echo; echo "=== The ${bits}-bit Windows build's tests did not run: $reason."
        continue
    fi
    echo; echo "=== Windows tests under Wine, ${bits}-bit build"
    bash scripts/wine-session.sh "build/$preset" >/dev/null
    ctest --preset "$preset" --no-tests=error || status=1
    windows_runs=$((windows_runs + 1))
done
if [ "$windows_runs" -eq 0 ]; then
    echo; echo "=== No Windows build's tests ran: failing."
    status=1
fi
exit $status
