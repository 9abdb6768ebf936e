#!/usr/bin/env bash
# Runs a Windows program under Wine in the test prefix, quietly; the exit code is the program's.
#   wine-run.sh [--gtest] PROGRAM [ARGUMENT...]
#   wine-run.sh --can-run i686|x64        (exit 0 when programs of that architecture run here)
# CMake's cross-compiling emulator for both mingw builds: ctest runs every Windows test program through it.
#
# The loader is chosen by the program's own architecture (its PE header): Wine's 64-bit loader for x86-64
# programs, the 32-bit one for i686 programs. Plain `wine` is never trusted with a 32-bit program: where 32-bit Wine
# cannot run, it fails to start one, or even "runs" it as exit 0 with no output. So each architecture is probed
# once per prefix (Wine's own cmd.exe of that architecture must tell its architecture), and a program whose
# architecture does not run here is not started at all: the wrapper says so and fails.
# --gtest: a GoogleTest program, which passes only when it ends with status 0 AND prints its PASSED summary with a
# nonzero count (a program that never ran, or ran no test, fails).
set -euo pipefail
scripts="$(cd "$(dirname "$0")" && pwd)"
prefix="${VUVO_WINEPREFIX:-$HOME/.cache/vuvo-wine}"
"$scripts/wine-prefix.sh"
export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

loader_of() {
  case $1 in
    x64) echo /usr/lib/wine/wine64 ;;
    i686) echo /usr/lib/wine/wine ;;
  esac
}

# x64, i686, or nothing for a file that is no PE program (a Wine builtin such as cmd, for one).
pe_arch() {
  local file=$1 header machine
  [ -f "$file" ] || return 0
  [ "$(head -c 2 "$file")" = MZ ] || return 0
  header=$(od -An -tu4 -j60 -N4 "$file" | tr -d ' ')
  [ "$(od -An -tx1 -j"$header" -N4 "$file" | tr -d ' ')" = 50450000 ] || return 0
  machine=$(od -An -tx1 -j$((header + 4)) -N2 "$file" | tr -d ' ')
  case $machine in
    6486) echo x64 ;;
    4c01) echo i686 ;;
    *) echo "unknown-$machine" ;;
  esac
}

# Succeeds when programs of the architecture run in this prefix; the answer is kept in the prefix once known good.
probe() {
  local arch=$1 loader expected answer
  local stamp="$prefix/.vuvo-runs-$arch"
  [ -f "$stamp" ] && return 0
  loader=$(loader_of "$arch")
  [ -n "$loader" ] && [ -x "$loader" ] || return 1
  case $arch in x64) expected=AMD64 ;; i686) expected=x86 ;; esac
  exec 8>"$prefix.probe-lock"
  flock 8
  [ -f "$stamp" ] && return 0
  # A 32-bit process under 64-bit Windows sees x86 here (and AMD64 in PROCESSOR_ARCHITEW6432).
  # The probe's wineserver outlives it by seconds: it must not take the lock along (8>&-).
  answer=$(WINELOADER="$loader" "$loader" cmd /c echo %PROCESSOR_ARCHITECTURE% 2>/dev/null </dev/null 8>&- |
           tr -d '\r') || true
  [ "$answer" = "$expected" ] || return 1
  echo "$answer" >"$stamp"
}

if [ "${1:-}" = --can-run ]; then
  probe "$2"
  exit
fi
gtest=0
if [ "${1:-}" = --gtest ]; then
  gtest=1
  shift
fi
arch=$(pe_arch "$1")
case $arch in
  "") arch=x64 ;;
  x64 | i686) ;;
  *) echo "wine-run: $1 is a PE program for machine ${arch#unknown-}, which Wine does not run here" >&2; exit 125 ;;
esac
if ! probe "$arch"; then
  echo "wine-run: NOT RUN: $1 is an $arch program and $arch programs do not run under Wine here" \
       "(prefix $prefix)" >&2
  exit 125
fi
loader=$(loader_of "$arch")
export WINELOADER="$loader"
[ "$gtest" = 1 ] || exec "$loader" "$@"

output=$(mktemp "${TMPDIR:-/tmp}/wine-run.XXXXXX")
trap 'rm -f "$output"' EXIT
set +e
"$loader" "$@" 2>&1 | tee "$output"
status=${PIPESTATUS[0]}
set -e
if [ "$status" -eq 0 ] && ! grep -Eq '^\[  PASSED  \] [1-9][0-9]* tests?\.' "$output"; then
  echo "wine-run: $1 ended with status 0 but printed no PASSED summary with a nonzero count:" \
       "it did not run, or ran no test" >&2
  status=1
fi
exit "$status"
