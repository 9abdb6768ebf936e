#!/usr/bin/env bash
# Prepares the quiet Wine prefix the Windows tests run in (VUVO_WINEPREFIX, default ~/.cache/vuvo-wine), once:
# later calls find its stamp and return at once. The prefix is 64-bit; where 32-bit Wine (wine32) is installed it
# holds the 32-bit half too.
set -euo pipefail
prefix="${VUVO_WINEPREFIX:-$HOME/.cache/vuvo-wine}"
stamp="$prefix/.vuvo-prepared"
# The stamp names the Wine halves the prefix was made with. A prefix made before wine32 came in lacks the 32-bit
# half (its syswow64 folder stays empty) and never gains it: it is made again.
halves=x64
[ -x /usr/lib/wine/wine ] && halves="x64 i686"
current() { [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$halves" ]; }
current && exit 0
mkdir -p "$(dirname "$prefix")"
# Test runs in parallel may all find the prefix missing: one prepares it, the others wait for it.
exec 9>"$prefix.lock"
flock 9
current && exit 0

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
start=$SECONDS
if [ -f "$stamp" ]; then
  echo "wine-prefix: $prefix was made with Wine's halves \"$(cat "$stamp")\", not \"$halves\": made again" >&2
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  rm -rf "$prefix"
fi
# Without a display wineboot is faster and shows nothing.
unset DISPLAY WAYLAND_DISPLAY
wine wineboot -i >/dev/null 2>&1 9>&-
wineserver -w
# Wine 8 does not read /usr/share/wine/fonts: copied in, dialogs get the real MS Sans Serif.
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -f /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
# No window manager under Xvfb: Wine draws the captions itself and closing a window does not wait for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
echo "$halves" >"$stamp"
echo "wine-prefix: prepared $prefix ($halves) in $((SECONDS - start)) s" >&2
