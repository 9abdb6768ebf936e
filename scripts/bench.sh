#!/usr/bin/env bash
# Builds the release preset and runs the engine benchmarks in a throwaway folder (a pass writes files into the
# current one). Five repetitions, medians and spread only: about a minute. Extra arguments go to engine_bench,
# e.g. scripts/bench.sh --benchmark_filter=CheckCall. `scripts/bench.sh readers [ARGUMENTS]` runs hostsim's log
# readers on hostile input instead (log_readers_bench: nanoseconds per byte at 1 MB and at 8 MB); `scripts/bench.sh
# report` times `hostsim report` on a synthetic contest log of 10,000 and 100,000 QSOs (report_bench).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake --preset release >/dev/null
bench=engine_bench
case "${1:-}" in
  readers) bench=log_readers_bench; shift ;;
  report) bench=report_bench; shift ;;
esac
cmake --build --preset release --target "$bench"

work="$(mktemp -d "${TMPDIR:-/tmp}/vuvo_bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/Plugins"
cd "$work"
"$root/build/release/bench/$bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
