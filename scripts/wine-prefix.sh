#!/usr/bin/env bash
# Prepares the quiet 64-bit Wine prefix the Windows tests run in (VUVO_WINEPREFIX, default
# ~/.cache/vuvo-wine), once: later calls find its stamp and return at once.
set -euo pipefail
prefix="${VUVO_WINEPREFIX:-$HOME/.cache/vuvo-wine}"
stamp="$prefix/.vuvo-prepared"
[ -f "$stamp" ] && exit 0
mkdir -p "$(dirname "$prefix")"
# Test runs in parallel may all find the prefix missing: one prepares it, the others wait for it.
exec 9>"$prefix.lock"
flock 9
[ -f "$stamp" ] && exit 0

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# Without a display wineboot is faster and shows nothing.
unset DISPLAY WAYLAND_DISPLAY
start=$SECONDS
wine wineboot -i >/dev/null 2>&1
wineserver -w
# Wine 8 does not read /usr/share/wine/fonts: copied in, dialogs get the real MS Sans Serif.
mkdir -p "$prefix/drive_c/windows/Fonts"
cp -f /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
# No window manager under Xvfb: Wine draws the captions itself and closing a window does not wait for one.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
touch "$stamp"
echo "wine-prefix: prepared $prefix in $((SECONDS - start)) s" >&2
