#!/usr/bin/env bash
# The plug-in's windows at work: two live sessions of the Windows DLL under Wine on a virtual display, with
# hostsim.exe as the host (it offers the host's automation object and pumps messages as the host does). The DX
# sample's session opens the main window, the DXCC window and the county grid from stored settings, types calls
# on 20 m and 40 m, removes a QSO with the grid open and switches the mode by a click and back; the JA sample's
# opens the DXCC window and the CQ zone grid. Prints each session's steps, captions and the commands the plug-in
# sent the host, and leaves a picture of every window in build/demo-windows/pictures (PNG).
# VUVO_DEMO_BUILD names another build folder of that preset (default build/mingw-i686 or build/mingw-x64).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"

scripts/setup-windows.sh
# The host is a 32-bit program: its DLL is the i686 one, where 32-bit programs run here.
preset=mingw-x64
if scripts/wine-run.sh --can-run i686 2>/dev/null; then
  preset=mingw-i686
else
  echo "demo-windows: this machine runs no 32-bit programs under Wine: the x86-64 DLL stands in for the host's"
fi
build="${VUVO_DEMO_BUILD:-$root/build/$preset}"
cmake --preset "$preset" -B "$build" >/dev/null
cmake --build "$build" -j2 --target vuvo_plugin hostsim >/dev/null

# Debian's country file (hamradio-files); the committed excerpt where it is missing.
cty=/usr/share/hamradio-files/cty.dat
[ -r "$cty" ] || cty="$root/tests/hostsim/data/cty_excerpt.dat"

demo="$root/build/demo-windows"
pictures="$demo/pictures"
rm -rf "$demo"
mkdir -p "$pictures"

# session NAME SAMPLE: tests/hostsim/scripts/live_NAME.txt (the session the Windows tests hold to golden files)
# over samples/SAMPLE.adi, in a folder of its own.
session() {
  local name=$1 sample=$2 folder="$demo/$1"
  mkdir -p "$folder/Plugins"
  cp "$root/tests/hostsim/scripts/live_$name.txt" "$root/samples/$sample.adi" "$folder/"
  cp "$cty" "$folder/cty.dat"
  echo
  echo "==== live session with samples/$sample.adi (tests/hostsim/scripts/live_$name.txt)"
  (cd "$folder" && "$root/tests/windows/run_on_display.sh" "$pictures" "$root/scripts/wine-run.sh" \
     "$build/tools/hostsim/hostsim.exe" --plugin "$build/VU-VO.dll" --cty cty.dat script "live_$name.txt")
}
session dx dx_cw
# The pictures folder is emptied of BMP files at each run: the first session's are PNG by now.
session ja ja_ssb

echo
echo "==== pictures of the windows in $pictures"
ls -1 "$pictures"
