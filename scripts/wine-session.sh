#!/usr/bin/env bash
# Brings up (or reuses) everything a Win32 program needs to run under Wine here:
# a private Xvfb display with a real system tray (trayer), a Wine prefix of the
# build's architecture inside the build folder, and one persistent wineserver
# for that prefix.
#
#   source scripts/wine-session.sh BUILD_DIR      -> exports WINEPREFIX, WINEARCH, WINELOADER,
#                                                    DISPLAY, WINEDEBUG; `wine` runs the right loader
#   scripts/wine-session.sh stop BUILD_DIR        -> ends the display, tray and wineserver
#
# The architecture is the build folder's: win64 when it was configured with the
# 64-bit toolchain (its CMake cache says so), otherwise win32; PASTIMO_WINE_ARCH=win32|win64 chooses
# for a folder that is no build folder. Each architecture keeps a prefix of its
# own (a 64-bit prefix cannot run 32-bit Wine and the reverse). Debian's `wine`
# wrapper takes the 32-bit loader whenever it is installed, even where the
# machine cannot run it, so the loader is named here.
#
# Each build folder gets its own display, so two builds never share a clipboard
# or a tray. Safe to call concurrently: the first caller sets up, the rest wait.

# win32 or win64, for the build folder $1.
_pastimo_wine_arch() {
    if [ -n "${PASTIMO_WINE_ARCH:-}" ]; then
        echo "$PASTIMO_WINE_ARCH"
    elif grep -qsx 'PASTIMO_WINE_ARCH:INTERNAL=win64' "$1/CMakeCache.txt"; then
        echo win64
    else
        echo win32
    fi
}

# Runs the session's Wine loader (set by _pastimo_session_up).
wine() { "$WINELOADER" "$@"; }

# Whether a Wine process matching the pattern runs for this prefix.
_pastimo_running() {
    local pid
    for pid in $(pgrep -f "$1" 2>/dev/null); do
        tr '\0' '\n' < "/proc/$pid/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

_pastimo_session_up() {
    local build_dir
    build_dir=$(cd "$1" && pwd) || return 1
    local state="$build_dir/wine-session"
    mkdir -p "$state"
    export WINEARCH
    WINEARCH=$(_pastimo_wine_arch "$build_dir")
    export WINEPREFIX="$build_dir/wineprefix-$WINEARCH"
    if [ "$WINEARCH" = win64 ]; then
        export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
    else
        export WINELOADER=/usr/lib/wine/wine
        unset WINESERVER
    fi
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

    exec 9>"$state/lock"
    flock 9

    local display=""
    [ -f "$state/display" ] && display=$(cat "$state/display")
    if [ -z "$display" ] || ! xdpyinfo -display ":$display" >/dev/null 2>&1; then
        display=90
        while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do
            display=$((display + 1))
        done
        setsid Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$state/xvfb.log" 2>&1 < /dev/null 9>&- &
        for _ in $(seq 1 100); do
            xdpyinfo -display ":$display" >/dev/null 2>&1 && break
            sleep 0.1
        done
        echo "$display" > "$state/display"
        rm -f "$state/trayer.pid"
    fi
    export DISPLAY=":$display"

    if ! { [ -f "$state/trayer.pid" ] && kill -0 "$(cat "$state/trayer.pid")" 2>/dev/null; }; then
        setsid trayer --edge bottom --align right --widthtype pixel --width 200 --height 32 \
            >"$state/trayer.log" 2>&1 < /dev/null 9>&- &
        echo $! > "$state/trayer.pid"
    fi

    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        wine wineboot.exe -i >"$state/wineboot-$WINEARCH.log" 2>&1 < /dev/null 9>&-
    fi
    # Debian keeps Wine's own fonts (MS Sans Serif, Tahoma, System) apart, and
    # this Wine does not find them there: without them every face falls back
    # to a wider one and the window's labels no longer fit. Put them where
    # every Windows program looks.
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -d /usr/share/wine/fonts ] && [ ! -e "$fonts/ms_sans_serif.ttf" ]; then
        mkdir -p "$fonts"
        cp -n /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
    fi
    # One persistent wineserver per prefix; when it runs already this only
    # reports so. Daemons must not inherit the lock (fd 9) or the caller's pipes.
    "${WINESERVER:-wineserver}" -p >/dev/null 2>&1 < /dev/null 9>&- || true
    # Wine starts the prefix's services (services.exe, explorer, ...) on
    # demand, and they inherit the output of whoever started them: started by
    # a test, they would keep CTest's pipe open until its timeout. Start them
    # here, detached, whenever they are not running for this prefix.
    if ! _pastimo_running 'system32.services\.exe'; then
        wine wineboot >/dev/null 2>&1 < /dev/null 9>&- || true
    fi
    # The same for the desktop process (it also hosts the system tray), which
    # the first window of the prefix brings up.
    if ! _pastimo_running 'explorer\.exe /desktop'; then
        wine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 < /dev/null 9>&- || true
    fi
    flock -u 9
    exec 9>&-
}

_pastimo_session_down() {
    local build_dir state prefix
    build_dir=$(cd "$1" 2>/dev/null && pwd) || return 0
    state="$build_dir/wine-session"
    # Every architecture's server that ran for this folder.
    for prefix in "$build_dir"/wineprefix-win32 "$build_dir"/wineprefix-win64; do
        [ -d "$prefix" ] || continue
        WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
    done
    [ -f "$state/trayer.pid" ] && kill "$(cat "$state/trayer.pid")" 2>/dev/null
    if [ -f "$state/display" ]; then
        pkill -f "Xvfb :$(cat "$state/display") " 2>/dev/null
    fi
    rm -f "$state/display" "$state/trayer.pid"
    return 0
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    set -euo pipefail
    case "${1:-}" in
        stop) _pastimo_session_down "${2:?build folder}" ;;
        *)    _pastimo_session_up "${1:?build folder}"; echo "DISPLAY=$DISPLAY WINEPREFIX=$WINEPREFIX" ;;
    esac
else
    _pastimo_session_up "${1:?build folder}"
fi
