#!/usr/bin/env bash
# Installs what building and testing Pastimo needs on Debian 12, and nothing
# when it is all there already. Safe to run as often as you like.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

packages=(cmake make g++ g++-mingw-w64-i686 googletest libgtest-dev libbenchmark-dev
          wine wine32:i386 wine64 fonts-wine xvfb xdotool trayer x11-utils imagemagick python3
          clang libclang-rt-14-dev procps)
for p in "${packages[@]}"; do have "$p" || need+=("$p"); done
[ ${#need[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
fi
echo "Installing: ${need[*]}" >&2
$SUDO apt-get update -qq >/dev/null
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
