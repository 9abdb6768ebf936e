#!/usr/bin/env bash
# Scores the bundled DX-station sample (samples/dx_cw.adi) through hostsim and the plug-in (a debug build without
# tests: the demo installs only the compiler, CMake and the country file), exports its Cabrillo file and makes the
# report after the contest: prints the result text, the bad-QSO file, the Cabrillo file's name and head, and the
# report's hour table.
# Runs in build/demo, made afresh each time, so that no settings from an earlier run carry over.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup.sh demo
cmake --preset demo >/dev/null
cmake --build --preset demo --target vuvo_plugin hostsim >/dev/null

hostsim=("$root/build/demo-build/tools/hostsim/hostsim" --plugin "$root/build/demo-build/VU-VO.so")
# Debian's country file (hamradio-files); the committed excerpt where it is missing.
cty=/usr/share/hamradio-files/cty.dat
[ -r "$cty" ] || cty="$root/tests/hostsim/data/cty_excerpt.dat"

demo="$root/build/demo"
rm -rf "$demo"
mkdir -p "$demo/Plugins"
cd "$demo"

echo "==== result of samples/dx_cw.adi (country prefixes from $cty)"
"${hostsim[@]}" --cty "$cty" score "$root/samples/dx_cw.adi"

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

echo
echo "==== export"
"${hostsim[@]}" --cty "$cty" export "$root/samples/dx_cw.adi" --name "Kenji Vu" --club "Yankee Clipper Contest Club" \
  --soapbox 'A sample run of the VU-VO plug-in.'
cbr=(*.cbr)
if [ ${#cbr[@]} -eq 0 ]; then
  echo "demo: the plug-in wrote no Cabrillo file in $demo" >&2
  exit 1
fi
echo
echo "==== $demo/${cbr[0]} (the first 25 of its $(wc -l <"${cbr[0]}") lines)"
head -n 25 "${cbr[0]}"

echo
echo "==== report after the contest"
"${hostsim[@]}" --cty "$cty" report "$root/samples/dx_cw.adi"
echo
echo "==== $demo/K1VU_report.csv (the hour table; K1VU_report.html beside it opens in any browser)"
cat K1VU_report.csv
