#!/usr/bin/env bash
# The release: dist/VU-VO-<version>.zip and dist/VU-VO-<version>.zip.sha256, the zip laid out to unpack straight
# into the host's folder:
#   Plugins/VU-VO.dll     the i686 DLL, the one the 32-bit host loads
#   VU-VO-guide.html      the operator's guide (docs/guide.txt), its pictures inside it
#   tools/hostsim.exe     the i686 host simulator, and tools/hostsim.txt, its --help text
#   tools/cty.dat         the country file the build uses (Debian's hamradio-files), which hostsim.exe finds beside
#                         itself, and tools/cty.dat-copyright.txt, its copyright notice (CR LF line ends)
#   SHA256SUMS            the SHA-256 of every other file
# Builds both mingw presets (only what ships; existing builds are reused), then takes every picture of the guide
# from the real DLL under Wine on a virtual display (the live sessions of tests/hostsim/scripts, an export with
# the header dialog) and renders the result page with headless Chromium. The same commit gives the same zip, byte
# for byte: the builds hold no folder and no time of this machine, the pictures lose their dates, the zip's
# entries stand in a fixed order with the commit's time (the country file is the one of the installed
# hamradio-files package: the same package version gives the same zip).
# The pictures and the unpacked files are left in build/package/ (pictures/, stage/).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
start=$SECONDS

scripts/install-packages.sh package python3 chromium hamradio-files locales
scripts/setup-windows.sh

for preset in mingw-i686 mingw-x64; do
  echo "== package: $preset build"
  { cmake --preset "$preset" >/dev/null &&
    cmake --build --preset "$preset" --target vuvo_plugin hostsim >"build/package-$preset.log" 2>&1; } || {
    tail -n 60 "build/package-$preset.log"; exit 1; }
  rm -f "build/package-$preset.log"
done
ships=build/mingw-i686
version=$(sed -n 's/^#define VUVO_VERSION_TEXT "\(.*\)"$/\1/p' "$ships/generated/vu_vo_version.h")
[ -n "$version" ] || { echo "package: no version in $ships/generated/vu_vo_version.h" >&2; exit 1; }

# The pictures come from the DLL that ships where 32-bit programs run; elsewhere from the x86-64 build of the
# same sources (the same windows, drawn by the same code).
run=$ships
if ! scripts/wine-run.sh --can-run i686 2>/dev/null; then
  run=build/mingw-x64
  echo "!!! package: this machine runs no 32-bit programs under Wine: the guide's pictures come from the x86-64" \
       "DLL of the same commit !!!"
fi
work="$root/build/package"
pictures="$work/pictures"
stage="$work/stage"
rm -rf "$work"
mkdir -p "$pictures" "$stage/Plugins" "$stage/tools"
# The country file the zip ships (Debian's), so that the guide's pictures and numbers are what an operator's own
# runs give.
cty=/usr/share/hamradio-files/cty.dat

# host_folder NAME FILE...: a fresh host's folder under build/package with the country file and FILEs in it.
host_folder() {
  local folder="$work/$1"
  shift
  mkdir -p "$folder/Plugins"
  cp "$cty" "$@" "$folder/"
  echo "$folder"
}
hostsim=("$root/scripts/wine-run.sh" "$root/$run/tools/hostsim/hostsim.exe" --plugin "$root/$run/VU-VO.dll"
         --cty cty.dat)
on_display() { "$root/tests/windows/run_on_display.sh" "$pictures" "$@" 2>&1 | grep -v '^picture: ' || true; }

# Windows set up for Russian runs programs in code page 1251, and its dialogs' "MS Sans Serif" is the Cyrillic
# one. Wine takes its code page from the Unix locale and loads only the bitmap fonts of that code page: under
# ru_RU its own sserifer.fon serves the dialogs, where under an English locale the Russian labels show as bars.
# The locale is compiled here (Debian's locales package holds its source), so that the machine's own locales stay
# as they are. The Russian session runs in a prefix of its own: Wine writes the locale into the prefix's registry,
# and the test prefix keeps its English one.
russian=(env LOCPATH="$work/locale" LC_ALL=ru_RU.UTF-8)
ru_prefix="${VUVO_GUI_WINEPREFIX:-$HOME/.cache/vuvo-wine-gui}-ru"
mkdir -p "$work/locale"
localedef -i ru_RU -f UTF-8 "$work/locale/ru_RU.UTF-8" >/dev/null
VUVO_WINEPREFIX="$ru_prefix" scripts/wine-prefix.sh

echo "== package: pictures of the windows (live sessions under Wine)"
for session in dx:dx_cw ja:ja_ssb ru:dx_cw; do
  name=${session%%:*}
  sample=${session#*:}
  folder=$(host_folder "live_$name" "tests/hostsim/scripts/live_$name.txt" "samples/$sample.adi")
  if [ "$name" = ru ]; then
    (cd "$folder" &&
       VUVO_GUI_WINEPREFIX="$ru_prefix" on_display "${russian[@]}" "${hostsim[@]}" script live_ru.txt >/dev/null)
  else
    (cd "$folder" && on_display "${hostsim[@]}" script "live_$name.txt" >/dev/null)
  fi
done
# The whole screen shows its windows on black: only the part that holds them, with a narrow black frame.
/usr/bin/convert "$pictures/live_dx_screen.png" -trim +repage -bordercolor black -border 8 "$pictures/live_dx_screen.png"
echo "== package: the header dialog of an export"
folder=$(host_folder export samples/dx_cw.adi)
(cd "$folder" && VUVO_PICTURE_NAME=export on_display "${hostsim[@]}" export dx_cw.adi \
   --name "Kenji Vu" --address "1 Main St" --address-city Springfield --address-postalcode 01101 \
   --address-country USA --email k1vu@example.org --club "Yankee Clipper Contest Club" \
   --operators 'K1VU\nW1VO' --soapbox 'Fun contest.\nBands were open.' >/dev/null)
echo "== package: the result pages (headless Chromium)"
for sample in dx_cw ja_ssb; do
  folder=$(host_folder "result_$sample" "samples/$sample.adi")
  (cd "$folder" && unset DISPLAY && "${hostsim[@]}" score "$sample.adi" --html >result.html 2>/dev/null)
  scripts/html-picture.sh "$folder/result.html" "$pictures/result_$sample.png" 640 430
done
echo "== package: the report after the contest (headless Chromium)"
folder=$(host_folder report samples/dx_cw.adi)
(cd "$folder" && unset DISPLAY && "${hostsim[@]}" report dx_cw.adi >/dev/null 2>&1)
scripts/html-picture.sh "$folder/K1VU_report.html" "$pictures/report_dx_cw_page.png" 1280 page
# The guide shows the page's head (the figures, the result, the two charts of the hours) and its multiplier map.
/usr/bin/convert "$pictures/report_dx_cw_page.png" -crop 1280x1560+0+0 +repage "$pictures/report_dx_cw.png"

echo "== package: the guide, the tools' text, the zip"
# The guide's generator fails on a picture it names and the runs above did not make.
python3 docs/make_guide.py docs/guide.txt --pictures "$pictures" --version "$version" --out "$stage/VU-VO-guide.html"
cp "$ships/VU-VO.dll" "$stage/Plugins/VU-VO.dll"
cp "$ships/tools/hostsim/hostsim.exe" "$stage/tools/hostsim.exe"
cp /usr/share/hamradio-files/cty.dat "$stage/tools/cty.dat"
sed 's/\r$//; s/$/\r/' /usr/share/doc/hamradio-files/copyright >"$stage/tools/cty.dat-copyright.txt"
{
  printf '%s\n' "hostsim.exe stands in for the Tarn host: it loads the plug-in as the host does and runs a" \
    "statistics pass, an export, a report or a scripted session over a log, so that a log can be scored," \
    "exported and looked back on without the host. Run it from the host's folder, for instance:" \
    "" \
    "  tools\\hostsim.exe score mylog.adi" \
    "  tools\\hostsim.exe --work hostsim-work export mylog.adi --name \"My Name\"" \
    "  tools\\hostsim.exe report mylog.adi" \
    "" \
    "The report, after the contest, is the contest hour by hour: CALL_report.html, a page with charts that" \
    "opens in any browser, offline, and CALL_report.csv, its hour table for a spreadsheet." \
    "" \
    "It finds the plug-in in Plugins\\VU-VO.dll and the country file in tools\\cty.dat (from Debian's" \
    "hamradio-files; its copyright notice is tools\\cty.dat-copyright.txt). The plug-in works in a folder of" \
    "hostsim's own, a temporary one or --work DIR (kept, with the header answers of the last export);" \
    "hostsim copies the Cabrillo file, the bad-QSO file and the report into the folder it runs in (or" \
    "--out DIR) and changes no other file there: the host's own Plugins\\VU-VO.ini and Tarn2.ini stay as" \
    "they are. An export shows the plug-in's header dialog, so it needs a desktop. Its commands, as" \
    "hostsim.exe --help prints them (VU-VO $version):" \
    ""
  (unset DISPLAY && "${hostsim[@]:0:2}" --help) | tr -d '\r'
} | sed 's/$/\r/' >"$stage/tools/hostsim.txt"

commit_time=$(TZ=UTC0 git log -1 --format=%cd --date=format-local:'%Y-%m-%d %H:%M:%S' 2>/dev/null ||
              echo '2026-01-01 00:00:00')
mkdir -p dist
zip="dist/VU-VO-$version.zip"
python3 scripts/make_zip.py --from "$stage" --time "$commit_time" --out "$zip"
(cd dist && sha256sum "VU-VO-$version.zip" >"VU-VO-$version.zip.sha256")
echo "package: $zip ($(stat -c %s "$zip") bytes, sha256 $(cut -d' ' -f1 "$zip.sha256")) in $((SECONDS - start)) s"
