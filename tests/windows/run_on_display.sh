#!/usr/bin/env bash
# Runs a Windows test program that opens windows under Wine, then turns the pictures it saved as BMP into PNG.
#   run_on_display.sh <picture folder> <command...>      (the command: scripts/wine-run.sh and the program)
# The program finds the folder, as a Windows path, in VUVO_ARTIFACTS.
#
# All programs of one Wine session must use one X display: the session's desktop lives on the display of the
# program that started it, and a program on another display fails at its first window (X BadWindow). So these
# programs run in a Wine prefix of their own (VUVO_GUI_WINEPREFIX), one at a time, each in a fresh session:
# on the caller's display when there is one, else on a virtual one (Xvfb, 1024x768, 24-bit).
set -euo pipefail
pictures=$1
shift
mkdir -p "$pictures"
pictures="$(cd "$pictures" && pwd)"
rm -f "$pictures"/*.bmp
# Wine's drive Z: is the Linux root.
export VUVO_ARTIFACTS="Z:${pictures//\//\\}"
export VUVO_WINEPREFIX="${VUVO_GUI_WINEPREFIX:-$HOME/.cache/vuvo-wine-gui}"
mkdir -p "$(dirname "$VUVO_WINEPREFIX")"
exec 9>"$VUVO_WINEPREFIX.run-lock"
flock 9
# The previous run's session (perhaps on another display) ends before this one starts.
WINEPREFIX="$VUVO_WINEPREFIX" wineserver -w 2>/dev/null || true
# The session ends with the program (its desktop process would linger for seconds, and on a virtual display
# would complain of the display going away): the next run starts a fresh one anyway.
run_and_end_session='status=0; "$@" || status=$?; wineserver -k 2>/dev/null; wineserver -w 2>/dev/null; exit $status'
export WINEPREFIX="$VUVO_WINEPREFIX"
status=0
# The lock stays with this script alone (9>&-): a display server or wineserver that outlived its run would
# otherwise hold it for ever, and every later run would wait on it.
if [ -n "${DISPLAY:-}" ]; then
  bash -c "$run_and_end_session" run_on_display "$@" 9>&- || status=$?
else
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c "$run_and_end_session" run_on_display "$@" 9>&- || status=$?
fi
for bmp in "$pictures"/*.bmp; do
  [ -e "$bmp" ] || continue
  if /usr/bin/convert "$bmp" "${bmp%.bmp}.png"; then
    rm -f "$bmp"
    echo "picture: ${bmp%.bmp}.png" >&2
  else
    status=1
  fi
done
exit $status
