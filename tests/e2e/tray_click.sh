#!/usr/bin/env bash
# A real mouse on the real tray: starts pastimo.exe (a later launch, so it
# starts hidden) in a fresh folder, clicks its docked icon in trayer with
# xdotool, presses "Minimize", clicks the icon again, double-clicks it, quits,
# and checks what the user would see after each step.
#   tray_click.sh BUILD_DIR PASTIMO_EXE
set -uo pipefail
build_dir=$1
exe=$2
here=$(dirname "$(readlink -f "$0")")
# shellcheck source=../../scripts/wine-session.sh
source "$here/../../scripts/wine-session.sh" "$build_dir"

folder=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$folder"
}
trap cleanup EXIT
fail() { echo "FAILED: $*"; exit 1; }
passed=0
ok() { echo "ok: $*"; passed=$((passed + 1)); }

# Waits up to 10 s for a command to succeed.
wait_for() {
    for _ in $(seq 1 100); do "$@" && return 0; sleep 0.1; done
    return 1
}
panel() { xwininfo -root -tree | awk '/"panel": \("panel" "trayer"\)/ {print $1; exit}'; }
icons() { xwininfo -id "$(panel)" -children 2>/dev/null | awk '/^ +0x/ {print $1}' | sort; }
viewable() { xwininfo -id "$1" 2>/dev/null | grep -q 'Map State: IsViewable'; }
main_window() { xwininfo -root -tree | awk '/"Varnel Pastimo": \("pastimo.exe"/ {print $1; exit}'; }
app_window() { xwininfo -root -tree | awk '/"Pastimo": \("pastimo.exe"/ {print $1; exit}'; }
geometry() {  # x y width height of an X window
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
                              /Width:/ {w=$2} /Height:/ {h=$2} END {print x, y, w, h}'
}
click_center() {
    read -r x y w h < <(geometry "$1")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "${@:2}" 1
}

cp "$exe" "$folder/pastimo.exe"
printf '5\r\n' > "$folder/LAUNCHES.DAT"
before=$(icons)
(cd "$folder" && exec setsid "$WINELOADER" "$folder/pastimo.exe" >/dev/null 2>&1 < /dev/null) &
pid=$!

new_icon() { comm -13 <(echo "$before") <(icons) | head -1; }
has_new_icon() { test -n "$(new_icon)"; }
no_new_icon() { test -z "$(new_icon)"; }
main_viewable() { viewable "$(main_window)"; }
main_hidden() { ! viewable "$(main_window)"; }
program_ended() { ! kill -0 "$pid" 2>/dev/null; }
wait_for has_new_icon || fail "no icon docked in the tray"
icon=$(new_icon)
ok "the icon is docked in the tray"
main=$(main_window)
[ -n "$main" ] && ! viewable "$main" || fail "the window should start hidden"
ok "the window starts hidden"

click_center "$icon"
wait_for main_viewable || fail "a click on the icon did not show the window"
ok "a click on the icon shows the window"
main=$(main_window)

# "&Minimize": 94 x 38 at (371, 98) on the page; the page starts at the tab
# control's display area (4, 6 + the tab row) below the menu bar.
read -r x y w h < <(geometry "$main")
xdotool mousemove $((x + 4 + 2 + 371 + 47)) $((y + 19 + 6 + 24 + 98 + 19)) click 1
wait_for main_hidden || fail "Minimize did not hide the window"
ok "Minimize hides the window"
app_hidden() { local app; app=$(app_window); [ -z "$app" ] || ! viewable "$app"; }
wait_for app_hidden || fail "the taskbar entry stayed"
ok "no taskbar entry while minimised to the tray"

click_center "$icon"
wait_for main_viewable || fail "a second click did not bring the window back"
ok "a click brings it back"

click_center "$icon" --repeat 2 --delay 60
sleep 1
viewable "$(main_window)" || fail "a double click hid the window"
ok "a double click leaves it shown"

# File, Exit: the menu bar's first entry, then the submenu's only one.
read -r x y w h < <(geometry "$(main_window)")
xdotool mousemove $((x + 12)) $((y + 9)) click 1
sleep 0.5
xdotool mousemove $((x + 25)) $((y + 19 + 10)) click 1
wait_for program_ended || fail "File, Exit did not end the program"
pid=""
ok "File, Exit ends the program"
wait_for no_new_icon || fail "the icon stayed in the tray"
ok "the icon is gone from the tray"
echo "$passed passed, 0 failed"
