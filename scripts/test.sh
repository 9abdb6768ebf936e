#!/usr/bin/env bash
# Every test: sets up, then builds and runs the native tests plainly and under ASan + UBSan, the fuzz targets with
# clang (each replaying its corpus), the threads under TSan, the Windows builds with their tests under Wine, and
# the release zip made from them, unpacked and checked.
set -uo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh || exit 1
status=0
for preset in dev asan fuzz; do
  echo "== $preset build"
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >"build-$preset.log" 2>&1; } || {
    tail -n 60 "build-$preset.log"; exit 1; }
  rm -f "build-$preset.log"
  echo "== $preset tests"
  ctest --preset "$preset" -j2 --output-on-failure >"build/$preset/ctest.log" 2>&1 || status=1
  grep -E -A200 'tests passed|tests failed' "build/$preset/ctest.log" | head -n 40
done
# The threads' hand-over under ThreadSanitizer: only the tests that run threads.
echo "== tsan build"
{ cmake --preset tsan >/dev/null && cmake --build --preset tsan --target concurrency_test >build-tsan.log 2>&1; } || {
  tail -n 60 build-tsan.log; exit 1; }
rm -f build-tsan.log
echo "== tsan tests"
ctest --preset tsan --output-on-failure >build/tsan/ctest.log 2>&1 || status=1
grep -E -A200 'tests passed|tests failed' build/tsan/ctest.log | head -n 40
# The Windows DLLs, their tables and their tests under Wine.
scripts/test-windows.sh || status=1
# The release zip, made from those builds and checked as an operator receives it.
echo "== package"
scripts/test-package.sh || status=1
exit $status
