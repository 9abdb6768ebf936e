#!/usr/bin/env bash
# Every test: sets up, then builds and runs the native tests under ASan + UBSan (the same debug build as the plain
# dev preset, with the sanitizers: the plain build would run the very same list again), the fuzz targets with clang
# (each replaying its corpus), the threads under TSan, the Windows builds with their tests under Wine, and the
# release zip made from them, unpacked and checked. Each step's time is printed as it ends, and all of them at the
# end.
#
# Two tracks run side by side once the Windows builds are done: the Windows tests and the package, which mostly wait
# on Wine and on windows (a core idles meanwhile), then TSan; and the ASan and fuzz builds and tests, which take the CPU they leave
# (at a lower priority, so that the waits of the Wine tests stay short). Each track's output goes to a file and is
# printed when the track ends; a failure in either fails the run.
set -uo pipefail
cd "$(dirname "$0")/.."
mkdir -p build
status=0
step_name=""
step_start=$SECONDS
track=""
times=build/test-times.txt
rm -f build/test-times*.txt
# step NAME: the previous step ends (its time is printed and kept with the seconds it ran from and to, and the track
# it ran on), NAME begins.
step() {
  if [ -n "$step_name" ]; then
    echo "   ($step_name: $((SECONDS - step_start)) s)"
    printf '%-24s %5d s   %4d-%4d s  %s\n' "$step_name" $((SECONDS - step_start)) "$step_start" "$SECONDS" \
      "$track" >>"$times"
  fi
  step_name=$1
  step_start=$SECONDS
  [ -n "$step_name" ] && echo "== $step_name"
}

# The native builds and their tests. A build that fails ends the track.
native() {
  local preset status=0
  for preset in asan fuzz; do
    step "$preset build"
    { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" >"build-$preset.log" 2>&1; } || {
      tail -n 60 "build-$preset.log"; step ""; return 1; }
    rm -f "build-$preset.log"
    step "$preset tests"
    ctest --preset "$preset" -j2 --output-on-failure >"build/$preset/ctest.log" 2>&1 || status=1
    grep -E -A200 'tests passed|tests failed' "build/$preset/ctest.log" | head -n 40
  done
  step ""
  return $status
}

# The threads' hand-over under ThreadSanitizer: only the tests that run threads. On the Windows track, whose Wine
# tests leave a core idle, so that the two tracks end together.
threads() {
  local status=0
  step "tsan build"
  { cmake --preset tsan >/dev/null && cmake --build --preset tsan --target concurrency_test >build-tsan.log 2>&1; } || {
    tail -n 60 build-tsan.log; step ""; return 1; }
  rm -f build-tsan.log
  step "tsan tests"
  ctest --preset tsan --output-on-failure >build/tsan/ctest.log 2>&1 || status=1
  grep -E -A200 'tests passed|tests failed' build/tsan/ctest.log | head -n 40
  step ""
  return $status
}

# The Windows tests under Wine (the tables too), then the release zip made from those builds and checked as an
# operator receives it, then the threads under TSan.
windows() {
  local status=0
  step "windows tests"
  scripts/test-windows.sh tests || status=1
  step "package"
  scripts/test-package.sh || status=1
  threads || status=1
  return $status
}

# track NAME FUNCTION: runs FUNCTION in the background, its output in build/track-NAME.log; its process id is kept
# in pids[NAME].
declare -A pids
track() {
  local name=$1 function=$2
  (
    track="(track $name)"
    times=build/test-times-$name.txt
    [ "$name" = native ] && renice -n 10 -p "$BASHPID" >/dev/null
    "$function"
  ) >"build/track-$name.log" 2>&1 &
  pids[$name]=$!
}

step setup
scripts/setup.sh || exit 1
# Both DLLs and every Windows test program, with the whole machine (its own steps are timed inside).
step "windows builds"
scripts/test-windows.sh builds || exit 1
step ""
echo "== two tracks side by side: the Windows tests and the package; the native builds and tests"
track windows windows
track native native
# Each track's output as it ends, the first to end first.
while [ ${#pids[@]} -gt 0 ]; do
  ended=""
  wait -n -p ended "${pids[@]}"
  track_status=$?
  [ -n "$ended" ] || { echo "!!! test.sh: waiting for the tracks failed"; wait; status=1; break; }
  for name in "${!pids[@]}"; do
    [ "${pids[$name]}" = "$ended" ] || continue
    echo "== track $name (ended at $SECONDS s, status $track_status)"
    cat "build/track-$name.log"
    [ "$track_status" -eq 0 ] || status=1
    unset "pids[$name]"
  done
done
echo "== time per step (from-to: seconds since the start; the two tracks ran side by side)"
cat "$times" build/test-times-windows.txt build/test-times-native.txt 2>/dev/null
echo "total: $SECONDS s"
exit $status
