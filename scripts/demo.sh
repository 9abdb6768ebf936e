#!/usr/bin/env bash
# Scores samples/dx_cw_sample.log through hostsim and the debug plug-in, then shows the bad-QSO file.
# Runs in build/demo, made afresh each time, so that no settings from an earlier run carry over.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh
cmake --preset dev >/dev/null
cmake --build --preset dev --target vuvo_plugin hostsim

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Plugins"
cd "$demo"

echo "==== result"
"$root/build/dev/tools/hostsim/hostsim" --plugin "$root/build/dev/VU-VO.so" score "$root/samples/dx_cw_sample.log"

shopt -s nullglob
bad=(BadQSO_RarurAZIZ_*.txt)
if [ ${#bad[@]} -eq 0 ]; then
  echo "demo: the plug-in wrote no bad-QSO file in $demo" >&2
  exit 1
fi
for f in "${bad[@]}"; do
  echo
  echo "==== $f"
  cat "$f"
done
