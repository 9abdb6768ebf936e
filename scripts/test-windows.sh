#!/usr/bin/env bash
# The Windows tests: builds both DLLs with mingw-w64, checks their export and import tables, and runs the
# 64-bit test programs and the end-to-end runs under Wine in a virtual X display. Called by scripts/test.sh.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup-windows.sh || exit 1
status=0
for preset in mingw-i686 mingw-x64; do
  echo "== $preset build"
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >"build-$preset.log" 2>&1; } || {
    tail -n 60 "build-$preset.log"; exit 1; }
  rm -f "build-$preset.log"
  echo "== $preset tests"
  # One X display for the whole run: the dialogs and windows need one, Wine starts faster with it kept.
  xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset "$preset" --output-on-failure \
    >"build/$preset/ctest.log" 2>&1 || status=1
  grep -E -A200 'tests passed|tests failed' "build/$preset/ctest.log" | head -n 40
done
exit $status
