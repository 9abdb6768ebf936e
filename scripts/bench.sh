#!/usr/bin/env bash
# Builds the release preset and runs the engine benchmarks in a throwaway folder (a pass writes files into the
# current one). Five repetitions, medians and spread only: about a minute. Extra arguments go to engine_bench,
# e.g. scripts/bench.sh --benchmark_filter=CheckCall
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target engine_bench

work="$(mktemp -d "${TMPDIR:-/tmp}/vuvo_bench.XXXXXX")"
trap 'rm -rf "$work"' EXIT
mkdir "$work/Plugins"
cd "$work"
"$root/build/release/bench/engine_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true "$@"
