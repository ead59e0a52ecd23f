#!/usr/bin/env bash
# Tells whether this machine executes 32-bit x86 code, by trying it: a
# 96-byte 32-bit Linux program that only exits with status 42. Kernels built
# or booted without IA-32 emulation refuse to start it ("Exec format error"),
# and there 32-bit Wine cannot start either.
#   scripts/can-run-32bit.sh    exit 0 when it can; otherwise 1, with the reason on stdout
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."
# In the work tree, not /tmp: a /tmp mounted without exec would look like a
# machine that cannot run 32-bit code.
mkdir -p build
probe=$(mktemp build/.can-run-32bit.XXXXXX)
trap 'rm -f "$probe"' EXIT
# ELF header, one loadable segment at 0x08048000, then: mov eax,1; mov ebx,42; int 0x80
{
    printf '\x7f\x45\x4c\x46\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00'
    printf '\x00\x00\x00\x00\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08'
    printf '\x00\x80\x04\x08\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00'
    printf '\x00\x10\x00\x00\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
} > "$probe"
chmod +x "$probe"
error=$("$probe" 2>&1 >/dev/null)
status=$?
if [ "$status" -eq 42 ]; then
    exit 0
fi
echo "this machine does not execute 32-bit x86 code (a 32-bit test program ${error:+failed: ${error##*: }}${error:-exited with status $status})"
exit 1
