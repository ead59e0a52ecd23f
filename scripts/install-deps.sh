#!/usr/bin/env bash
# Installs what building and testing Pastimo needs on Debian 12, and nothing
# when it is all there already. Safe to run as often as you like.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# Both cross compilers: the 32-bit program and the 64-bit one of the same
# sources. 32-bit Wine only where the package system offers it (see below).
packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64-posix googletest libgtest-dev libbenchmark-dev
          wine wine32:i386 wine64 fonts-wine xvfb xdotool trayer x11-utils imagemagick python3
          clang clang-format libclang-rt-14-dev procps)
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
# A machine whose package system has no i386 packages still builds both
# programs and runs the 64-bit one.
if [[ " ${need[*]} " == *" wine32:i386 "* ]] && ! apt-cache policy wine32:i386 2>/dev/null | grep -q 'Candidate: [0-9]'; then
    echo "32-bit Wine (wine32:i386) is not offered here: only the 64-bit program can run under Wine." >&2
    offered=()
    for p in "${need[@]}"; do [ "$p" = wine32:i386 ] || offered+=("$p"); done
    need=("${offered[@]}")
fi
[ ${#need[@]} -eq 0 ] && exit 0
$SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
