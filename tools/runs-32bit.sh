#!/bin/sh
# Exits 0 when this machine can run Wine's 32-bit half, which needs a kernel
# that runs 32-bit programs; otherwise prints why not and exits 1. (A kernel
# without IA-32 emulation answers "Exec format error" to every 32-bit program.)
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/tools/wine-env.sh"
answer=$("$wine32" --version 2>&1) && exit 0
echo "this machine cannot run 32-bit programs ($wine32 --version: ${answer:-no answer})"
exit 1
