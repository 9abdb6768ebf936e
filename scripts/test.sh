#!/usr/bin/env bash
# Every test: sets up, then builds and runs the native tests under ASan + UBSan (the same debug build as the plain
# dev preset, with the sanitizers: the plain build would run the very same list again), the fuzz targets with clang
# (each replaying its corpus), the threads under TSan, the Windows builds with their tests under Wine, and the
# release zip made from them, unpacked and checked. Each step's time is printed as it ends, and all of them at the
# end.
set -uo pipefail
cd "$(dirname "$0")/.."
status=0
steps=()
step_name=""
step_start=$SECONDS
# step NAME: the previous step ends (its time is printed and kept), NAME begins.
step() {
  if [ -n "$step_name" ]; then
    echo "   ($step_name: $((SECONDS - step_start)) s)"
    steps+=("$(printf '%-24s %5d s' "$step_name" $((SECONDS - step_start)))")
  fi
  step_name=$1
  step_start=$SECONDS
  [ -n "$step_name" ] && echo "== $step_name"
}

step setup
scripts/setup.sh || exit 1
for preset in asan fuzz; do
  step "$preset build"
  { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >"build-$preset.log" 2>&1; } || {
    tail -n 60 "build-$preset.log"; exit 1; }
  rm -f "build-$preset.log"
  step "$preset tests"
  ctest --preset "$preset" -j2 --output-on-failure >"build/$preset/ctest.log" 2>&1 || status=1
  grep -E -A200 'tests passed|tests failed' "build/$preset/ctest.log" | head -n 40
done
# The threads' hand-over under ThreadSanitizer: only the tests that run threads.
step "tsan build"
{ cmake --preset tsan >/dev/null && cmake --build --preset tsan --target concurrency_test >build-tsan.log 2>&1; } || {
  tail -n 60 build-tsan.log; exit 1; }
rm -f build-tsan.log
step "tsan tests"
ctest --preset tsan --output-on-failure >build/tsan/ctest.log 2>&1 || status=1
grep -E -A200 'tests passed|tests failed' build/tsan/ctest.log | head -n 40
# The Windows DLLs, their tables and their tests under Wine (its own steps are timed inside).
step "windows (builds, tests)"
scripts/test-windows.sh || status=1
# The release zip, made from those builds and checked as an operator receives it.
step "package"
scripts/test-package.sh || status=1
step ""
echo "== time per step"
printf '%s\n' "${steps[@]}"
echo "total: $SECONDS s"
exit $status
