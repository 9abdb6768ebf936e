#!/usr/bin/env bash
# Installs what the Windows builds and their Wine test runs need, and prepares the Wine prefix the tests run in.
# Quiet; safe to run again: it skips whatever is already there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake ninja-build python3 g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix
          binutils-mingw-w64-x86-64 binutils-mingw-w64-i686 wine64 wine fonts-wine xvfb xauth imagemagick llvm-14
          googletest)
scripts/install-packages.sh setup-windows "${packages[@]}"

# Succeeds when the kernel runs 32-bit x86 programs. Neither /proc/sys/abi/vsyscall32 nor the kernel's
# configuration tells (both say yes on kernels that refuse them): a 32-bit program is run. This one is the
# smallest static i386 ELF file: one segment whose code calls exit(42).
runs_32bit_programs() {
  local folder probe status=0
  folder=$(mktemp -d "${TMPDIR:-/tmp}/vuvo-probe.XXXXXX")
  probe="$folder/exit42"
  local elf='\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000'
  elf+='\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000'
  elf+='\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000'
  elf+='\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200'
  # shellcheck disable=SC2059
  printf "$elf" >"$probe"
  chmod +x "$probe"
  "$probe" 2>/dev/null || status=$?
  rm -rf "$folder"
  [ "$status" -eq 42 ]
}

wine32_installed() { dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed'; }

# wine32 runs the host's 32-bit DLL. It comes in only where 32-bit programs run: elsewhere an installed wine32
# makes wine fail for every program, 64-bit ones too.
if runs_32bit_programs; then
  if ! wine32_installed; then
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    dpkg --print-foreign-architectures | grep -qx i386 || $sudo dpkg --add-architecture i386
    scripts/install-packages.sh setup-windows wine32:i386
  fi
elif wine32_installed; then
  echo "setup-windows: wine32 is installed but this machine runs no 32-bit programs, so wine fails for every" \
       "program; remove it (apt-get remove wine32:i386)" >&2
  exit 1
fi

# Made (again, when it lacks the 32-bit half of an installed wine32) after the packages are in.
exec scripts/wine-prefix.sh
