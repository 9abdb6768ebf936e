#!/usr/bin/env bash
# Runs a Windows program under Wine in the test prefix, quietly; the exit code is the program's.
# CMake's cross-compiling emulator for the mingw builds: ctest runs every Windows test through it.
set -euo pipefail
prefix="${VUVO_WINEPREFIX:-$HOME/.cache/vuvo-wine}"
[ -f "$prefix/.vuvo-prepared" ] || "$(dirname "$0")/wine-prefix.sh"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
exec wine "$@"
