#!/usr/bin/env bash
# Installs what the Windows builds and their Wine test runs need, and prepares the Wine prefix the tests run in.
# Quiet; safe to run again: it skips whatever is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

# wine32 must never come in: these kernels run no 32-bit programs, and with it installed wine fails for every
# program, 64-bit ones too.
packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64 wine fonts-wine xvfb xauth imagemagick llvm-14
          googletest)
scripts/install-packages.sh setup-windows "${packages[@]}"
if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'install ok installed'; then
  echo "setup-windows: wine32 is installed and breaks every wine run here; remove it (apt-get remove wine32)" >&2
  exit 1
fi

exec scripts/wine-prefix.sh
