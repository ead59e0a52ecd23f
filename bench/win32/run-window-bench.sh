#!/usr/bin/env bash
# Start-up, pick and typing timings of pastimo.exe under Wine, next to a
# minimal window and to Wine's edit control alone.
#   bench/win32/run-window-bench.sh BUILD_DIR [RUNS]     (build/win32 or build/win64)
# Each program's first start-up runs in a fresh Wine session (wineserver,
# display and tray stopped before): that is its cold start.
set -eo pipefail
here=$(dirname "$(readlink -f "$0")")
root=$(readlink -f "$here/../..")
build=$(readlink -f "$1")
runs=${2:-15}
bench="$build/bench/win32/window_bench.exe"
run() { "$root/scripts/wine-run.sh" "$build" "$bench" "$@"; }
cold() { "$root/scripts/wine-session.sh" stop "$build" >/dev/null 2>&1 || true; }

arch=$(grep -sx 'PASTIMO_WINE_ARCH:INTERNAL=win64' "$build/CMakeCache.txt" >/dev/null && echo win64 || echo win32)
loader=$([ "$arch" = win64 ] && echo /usr/lib/wine/wine64 || echo /usr/lib/wine/wine)
echo "== $arch build, $("$loader" --version 2>/dev/null), $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2)"
cold; run startup minimal "$runs"
cold; run startup pastimo "$runs"
run startup pastimo "$runs" 10000
run pick "$runs"
run pick "$runs" nocapture
run pick "$runs" shown
run type "$((2 * runs + 1))"
"$root/scripts/wine-run.sh" "$build" "$build/bench/win32/edit_floor.exe" 7
