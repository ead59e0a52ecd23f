#!/usr/bin/env bash
# Builds Pastimo and starts it from a folder of its own (the library lives
# beside the executable, so a clean build never touches a user's groups).
#
#   scripts/run.sh          build, install to $PASTIMO_HOME (default ~/Pastimo), start
#                           (PASTIMO_WINE_ARCH=win32|win64 chooses the build)
#   scripts/run.sh --stop   end a copy started on the virtual display
#
# It runs the 32-bit program where this machine executes 32-bit code (and
# 32-bit Wine is installed), otherwise the 64-bit build of the same sources,
# and says which. With a DISPLAY it runs there under Wine until you quit it.
# Without one it starts on a virtual display (Xvfb, with a system tray), saves
# a screenshot and tells where.
set -euo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
home=${PASTIMO_HOME:-$HOME/Pastimo}
session=build/run-session

if [ "${1:-}" = "--stop" ]; then
    bash scripts/wine-session.sh stop "$session"
    exit 0
fi

bash scripts/install-deps.sh
if [ -n "${PASTIMO_WINE_ARCH:-}" ]; then
    preset=$PASTIMO_WINE_ARCH
    echo "Running the ${preset#win}-bit program, as PASTIMO_WINE_ARCH asks."
elif why=$(bash scripts/can-run-32bit.sh) && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    preset=win32
    echo "Running the 32-bit program."
else
    preset=win64
    echo "Running the 64-bit program: ${why:-32-bit Wine (wine32:i386) is not installed}."
fi
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" --target pastimo
mkdir -p "$home"
cp "build/$preset/shell/pastimo.exe" "$home/pastimo.exe"
echo "Installed to $home/pastimo.exe"

export PASTIMO_WINE_ARCH=$preset
if [ -n "${DISPLAY:-}" ]; then
    # A prefix of the program's architecture, made on first use.
    export WINEDEBUG=-all WINEARCH=$preset
    export WINEPREFIX=${WINEPREFIX:-$PWD/$session/wineprefix-$preset}
    if [ "$preset" = win64 ]; then
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
        exec /usr/lib/wine/wine64 "$home/pastimo.exe"
    fi
    exec /usr/lib/wine/wine "$home/pastimo.exe"
fi

mkdir -p "$session"
# A 32-bit and a 64-bit copy each need a prefix of their own.
# shellcheck source=wine-session.sh
source scripts/wine-session.sh "$session"
panel() { xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}'; }
icons() { xwininfo -id "$(panel)" -children 2>/dev/null | awk '/^ +0x/ {print $1}' | sort; }
window() { xwininfo -root -tree | awk -v name="\"$1\": (\"pastimo.exe\"" 'index($0, name) {print $1; exit}'; }
viewable() { [ -n "$1" ] && xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
click_at() { xdotool mousemove "$1" "$2" click 1; }
geometry() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                             /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
before=$(icons)
# Detached, and holding none of this script's output open.
(cd "$home" && exec setsid "$WINELOADER" "$home/pastimo.exe") >/dev/null 2>&1 < /dev/null &
# Wait for the program's icon in the tray, or for its first-run message.
for _ in $(seq 1 150); do
    [ -n "$(comm -13 <(echo "$before") <(icons))" ] && break
    viewable "$(window Information)" && break
    sleep 0.2
done
mkdir -p build/screenshots
stamp=$(date +%Y%m%d-%H%M%S)
# The first two launches greet the user: answer the message as a user would.
box=$(window Information)
if viewable "$box"; then
    sleep 0.5
    import -window root "$PWD/build/screenshots/run-$stamp-message.png"
    read -r x y w h < <(geometry "$box")
    click_at $((x + w / 2)) $((y + h - 20))
    for _ in $(seq 1 50); do viewable "$box" || break; sleep 0.2; done
fi
# Later launches start in the tray: a click on the icon brings the window up.
sleep 1
if ! viewable "$(window 'Varnel Pastimo')"; then
    icon=$(comm -13 <(echo "$before") <(icons) | head -1)
    if [ -n "$icon" ]; then
        read -r x y w h < <(geometry "$icon")
        click_at $((x + w / 2)) $((y + h / 2))
        for _ in $(seq 1 50); do viewable "$(window 'Varnel Pastimo')" && break; sleep 0.2; done
    fi
fi
sleep 1
shot="$PWD/build/screenshots/run-$stamp.png"
import -window root "$shot"
echo "Pastimo is running on the virtual display $DISPLAY (Xvfb, tray at the bottom right)."
echo "Screenshot of its window: $shot"
echo "Stop it with: scripts/run.sh --stop"
