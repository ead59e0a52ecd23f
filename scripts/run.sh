#!/usr/bin/env bash
# Builds Pastimo and starts it from a folder of its own (the library lives
# beside the executable, so a clean build never touches a user's groups).
#
#   scripts/run.sh          build, install to $PASTIMO_HOME (default ~/Pastimo), start
#   scripts/run.sh --stop   end a copy started on the virtual display
#
# With a DISPLAY it runs there under Wine until you quit it. Without one it
# starts on a virtual display (Xvfb, with a system tray), saves a screenshot
# and tells where.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
home=${PASTIMO_HOME:-$HOME/Pastimo}
session=build/run-session

if [ "${1:-}" = "--stop" ]; then
    bash scripts/wine-session.sh stop "$session"
    exit 0
fi

bash scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target pastimo
mkdir -p "$home"
cp build/win32/shell/pastimo.exe "$home/pastimo.exe"
echo "Installed to $home/pastimo.exe"

if [ -n "${DISPLAY:-}" ]; then
    export WINEDEBUG=-all
    exec wine "$home/pastimo.exe"
fi

mkdir -p "$session"
# shellcheck source=wine-session.sh
source scripts/wine-session.sh "$session"
(cd "$home" && setsid wine "$home/pastimo.exe" >/dev/null 2>&1 < /dev/null &)
# The first launches greet the user with a message box; otherwise the program
# starts hidden in the tray. Wait for whichever comes.
for _ in $(seq 1 100); do
    xdotool search --name '^(Information|Varnel Pastimo)$' >/dev/null 2>&1 && break
    sleep 0.2
done
sleep 1
shot="$PWD/build/screenshots/run-$(date +%Y%m%d-%H%M%S).png"
mkdir -p "$(dirname "$shot")"
import -window root "$shot"
echo "Pastimo is running on the virtual display $DISPLAY (Xvfb, tray at the bottom right)."
echo "Screenshot: $shot"
echo "Stop it with: scripts/run.sh --stop"
