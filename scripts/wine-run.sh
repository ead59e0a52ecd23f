#!/usr/bin/env bash
# CTest's emulator for the Windows builds: wine-run.sh BUILD_DIR program.exe [args...]
# Runs the program under the Wine of the build's architecture (32- or 64-bit)
# on the build folder's own display, tray and prefix.
set -eo pipefail
here=$(dirname "$(readlink -f "$0")")
build_dir=$1; shift
# shellcheck source=wine-session.sh
source "$here/wine-session.sh" "$build_dir"
exec "$WINELOADER" "$@"
