#!/usr/bin/env bash
# A PNG picture of an HTML file as a browser shows it: headless Chromium (Debian's chromium, which
# scripts/package.sh installs), at the window size given, device scale 1, no scroll bars. HEIGHT "page": the
# whole page, however long (up to 16000 pixels): Chromium has no whole-page picture of its own, so the window is
# made that tall and the picture cut below the last thing the page shows.
#   html-picture.sh PAGE.html PICTURE.png WIDTH HEIGHT|page
set -euo pipefail
page=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
picture=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
profile=$(mktemp -d "${TMPDIR:-/tmp}/vuvo-chromium.XXXXXX")
trap 'rm -rf "$profile"' EXIT
# --no-sandbox: Chromium's sandbox refuses to start as root, as CI runs. The page loads nothing from outside.
chromium --headless --no-sandbox --disable-gpu --hide-scrollbars --force-device-scale-factor=1 \
  --user-data-dir="$profile" --no-first-run --disable-extensions --window-size="$3,${4/page/16000}" \
  --screenshot="$picture" "file://$page" >/dev/null 2>&1
[ -s "$picture" ] || { echo "html-picture: Chromium made no picture of $1" >&2; exit 1; }
if [ "$4" = page ]; then
  # The trimmed picture's geometry is WxH+X+Y: the page ends Y+H pixels down; a margin of 20 stays.
  read -r height top < <(/usr/bin/convert "$picture" -trim -format '%h %Y\n' info: | tr -d '+')
  /usr/bin/convert "$picture" -crop "${3}x$((top + height + 20))+0+0" +repage "$picture"
fi
