#!/usr/bin/env bash
# Installs what a build needs from Debian packages. Quiet; safe to run again.
#   setup.sh          everything the native build, tests, benchmarks and fuzzers need (Chromium renders the
#                     report pages the tests check)
#   setup.sh demo     only what the demo needs: the compiler, CMake, Ninja and the country file
set -euo pipefail
demo=(cmake ninja-build g++ python3 hamradio-files)
if [ "${1:-}" = demo ]; then
  exec "$(dirname "$0")/install-packages.sh" setup "${demo[@]}"
fi
"$(dirname "$0")/install-packages.sh" setup "${demo[@]}" libgtest-dev libgmock-dev libbenchmark-dev clang \
  libclang-rt-14-dev chromium
