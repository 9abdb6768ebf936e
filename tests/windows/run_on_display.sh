#!/usr/bin/env bash
# Runs a Windows test program under Wine on a virtual X display of its own (Xvfb, 1024x768, 24-bit), then turns
# the pictures it saved as BMP into PNG files beside them.
#   run_on_display.sh <picture folder> <command...>      (the command: scripts/wine-run.sh and the program)
# The program finds the folder, as a Windows path, in VUVO_ARTIFACTS.
set -euo pipefail
pictures=$1
shift
mkdir -p "$pictures"
pictures="$(cd "$pictures" && pwd)"
rm -f "$pictures"/*.bmp
# Wine's drive Z: is the Linux root.
export VUVO_ARTIFACTS="Z:${pictures//\//\\}"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" "$@" || status=$?
for bmp in "$pictures"/*.bmp; do
  [ -e "$bmp" ] || continue
  if /usr/bin/convert "$bmp" "${bmp%.bmp}.png"; then
    rm -f "$bmp"
    echo "picture: ${bmp%.bmp}.png"
  else
    status=1
  fi
done
exit $status
