#!/usr/bin/env bash
# The release as an operator receives it: makes it (scripts/package.sh, reusing the Windows builds), then unpacks
# the zip into a fresh folder and checks it there (tests/package/check_package.py): checksums, file list, the
# DLL's tables and version, hostsim.exe with the DLL scoring and exporting into the golden files under Wine, the
# guide's pictures and links. The guide as headless Chromium renders it is kept in build/package-test/guide.png.
# Called by scripts/test.sh after the Windows tests.
set -uo pipefail
cd "$(dirname "$0")/.."
start=$SECONDS
scripts/package.sh || exit 1
made=$((SECONDS - start))
# The version test program of each build whose programs run here reads the packaged DLL's version resource.
for preset in mingw-i686 mingw-x64; do
  scripts/wine-run.sh --can-run "${preset#mingw-}" || continue
  cmake --build --preset "$preset" --target windows_version_test >"build/package-$preset.log" 2>&1 || {
    tail -n 40 "build/package-$preset.log"; exit 1; }
  rm -f "build/package-$preset.log"
done
version=$(sed -n 's/^#define VUVO_VERSION_TEXT "\(.*\)"$/\1/p' build/mingw-i686/generated/vu_vo_version.h)
echo "== package tests"
checked=$SECONDS
python3 tests/package/check_package.py --root "$PWD" --zip "dist/VU-VO-$version.zip" --version "$version" \
  --artifacts build/package-test
status=$?
echo "package: made in $made s, checked in $((SECONDS - checked)) s"
exit $status
