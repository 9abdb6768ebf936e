#!/usr/bin/env bash
# Runs every fuzz target for SECONDS, one after another in one process each, then merges the inputs that reach new
# code into its committed corpus (fuzz/corpus/<target>/) and prints how many inputs each target ran.
#   scripts/fuzz.sh SECONDS
# A target that crashes is started again for the time left (unless an input of its corpus crashes); each crash
# input is kept in build/fuzz/crashes/<target>/ and the script exits 1. VUVO_FUZZ_BUILD names another build folder.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-}
[[ "$seconds" =~ ^[1-9][0-9]*$ ]] || { echo "usage: scripts/fuzz.sh SECONDS" >&2; exit 2; }
scripts/setup.sh || exit 1
build=${VUVO_FUZZ_BUILD:-build/fuzz}
{ cmake --preset fuzz -B "$build" >/dev/null && cmake --build "$build" -j2 --target fuzzers >"$build.log" 2>&1; } || {
  tail -n 60 "$build.log"; exit 1; }
rm -f "$build.log"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
summary=()
for target in adif cabrillo cty exports; do
  exe=$PWD/$build/fuzz/fuzz_$target
  corpus=$PWD/fuzz/corpus/$target
  crashes=$PWD/$build/crashes/$target
  new=$work/$target
  mkdir -p "$new" "$crashes"
  # The exports target's calls are short: long inputs only repeat them. Its message boxes go to standard
  # error, which -close_fd_mask=2 silences (libFuzzer and the sanitizers keep a copy of it for their reports).
  options=(-max_len=4096 -timeout=10 -print_final_stats=1 -artifact_prefix="$crashes/")
  [ "$target" = exports ] && options=(-max_len=2048 -timeout=10 -print_final_stats=1 -close_fd_mask=2
                                      -artifact_prefix="$crashes/")
  runs=0 found=0 end=$((SECONDS + seconds))
  while [ $SECONDS -lt $end ]; do
    log=$work/$target.log
    "$exe" "${options[@]}" -max_total_time=$((end - SECONDS)) "$new" "$corpus" >"$log" 2>&1
    rc=$?
    n=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    runs=$((runs + ${n:-0}))
    [ $rc -eq 0 ] && break
    found=$((found + 1)) status=1
    echo "== fuzz_$target: crash ($(grep -m1 -E 'ERROR|runtime error|fuzz_exports:' "$log" || echo "exit $rc"))"
    grep -m1 -o "Test unit written to .*" "$log"
    # A committed input that crashes stops the target before it fuzzes at all: restarting would only repeat it.
    grep -q INITED "$log" || { echo "== fuzz_$target: an input of $corpus crashes"; break; }
  done
  before=$(ls "$corpus" | wc -l)
  "$exe" -merge=1 -use_counters=0 "${options[@]}" "$corpus" "$new" >"$work/$target.merge.log" 2>&1 || {
    tail -n 20 "$work/$target.merge.log"; status=1; }
  after=$(ls "$corpus" | wc -l)
  summary+=("fuzz_$target: $runs inputs in ${seconds}s, $found crashes, corpus $before -> $after files")
done
printf '%s\n' "${summary[@]}"
exit $status
