#!/usr/bin/env bash
# The Windows tests: builds both DLLs with mingw-w64 with every test program, and runs the same test list on each:
# the export and import tables, the portable suites, the Windows adapters and dialogs and the golden runs of
# hostsim.exe, under Wine in a virtual X display. Called by scripts/test.sh, which runs the two halves apart:
#   test-windows.sh [builds|tests]     (no argument: both, the builds first)
set -uo pipefail
cd "$(dirname "$0")/.."
what=${1:-all}
case $what in all | builds | tests) ;; *) echo "usage: $0 [builds|tests]" >&2; exit 2 ;; esac
scripts/setup-windows.sh || exit 1
status=0
[ "$what" = tests ] || for preset in mingw-i686 mingw-x64; do
  echo "== $preset build"
  start=$SECONDS
  # Where this architecture's programs cannot run, only what is checked without running it is built: the DLL
  # (its tables) and hostsim.exe (the release holds both). Its test programs could only be skipped.
  targets=()
  scripts/wine-run.sh --can-run "${preset#mingw-}" || targets=(--target vuvo_plugin hostsim)
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "${targets[@]}" >"build-$preset.log" 2>&1; } || {
    tail -n 60 "build-$preset.log"; exit 1; }
  rm -f "build-$preset.log"
  echo "$preset build: $((SECONDS - start)) s"
done
[ "$what" = builds ] && exit 0

# Both DLLs face the same tests: the two lists must not drift apart.
listed() { ctest --preset "$1" -N | sed -n 's/^ *Test *#[0-9]*: //p' | sort; }
if ! diff <(listed mingw-i686) <(listed mingw-x64) >build/mingw-lists.diff; then
  echo "!!! the i686 and x64 test lists differ (< i686, > x64):"
  cat build/mingw-lists.diff
  status=1
fi

for preset in mingw-i686 mingw-x64; do
  arch=${preset#mingw-}
  echo "== $preset tests"
  skip=()
  if ! scripts/wine-run.sh --can-run "$arch"; then
    skip=(-LE '^wine$')
    why="$arch programs do not run under Wine here"
    [ "$arch" = i686 ] && why="this machine runs no 32-bit programs (or wine32 is missing)"
    echo "!!! $preset: $why: its $(ctest --preset "$preset" -N -L '^wine$' | sed -n 's/^Total Tests: //p')" \
         "Wine tests are SKIPPED, only its table checks run !!!"
  fi
  start=$SECONDS
  # One X display for the whole run: the dialogs and windows need one, Wine starts faster with it kept. The tests
  # that drive windows run alone (RUN_SERIAL); the others two at a time.
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset" -j2 "${skip[@]}" --output-on-failure \
    >"build/$preset/ctest.log" 2>&1 || status=1
  grep -E -A200 'tests passed|tests failed' "build/$preset/ctest.log" | head -n 40
  echo "$preset tests: $((SECONDS - start)) s"
done
exit $status
