#!/usr/bin/env bash
# Proves that what ships does not depend on the folder it is built in: builds the committed tree (git archive HEAD)
# again in a folder of another name and compares its i686 VU-VO.dll and hostsim.exe, byte for byte, with those of
# this tree's build/mingw-i686. Run it with no uncommitted change. On a difference it shows the strings that
# differ (a folder name, a time). Takes one more i686 build (a few minutes): scripts/test.sh does not run it.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
if ! git diff --quiet HEAD; then
  echo "check-reproducible: this tree has uncommitted changes; its build is not HEAD's" >&2
  exit 2
fi
scripts/setup-windows.sh
cmake --preset mingw-i686 >/dev/null
cmake --build --preset mingw-i686 --target vuvo_plugin hostsim >/dev/null
elsewhere=$(mktemp -d "${TMPDIR:-/tmp}/vuvo-elsewhere.XXXXXX")
trap 'rm -rf "$elsewhere"' EXIT
mkdir "$elsewhere/another-name"
git archive HEAD | tar -x -C "$elsewhere/another-name"
(cd "$elsewhere/another-name" && cmake --preset mingw-i686 >/dev/null &&
   cmake --build --preset mingw-i686 --target vuvo_plugin hostsim >/dev/null)
status=0
for file in VU-VO.dll tools/hostsim/hostsim.exe; do
  here="build/mingw-i686/$file"
  there="$elsewhere/another-name/build/mingw-i686/$file"
  if cmp -s "$here" "$there"; then
    echo "check-reproducible: $file is the same, byte for byte, built in $root and in $elsewhere/another-name"
  else
    echo "!!! check-reproducible: $file differs between the two folders; strings only one holds:"
    diff <(strings -a "$here" | sort -u) <(strings -a "$there" | sort -u) | head -n 40 || true
    status=1
  fi
done
exit $status
