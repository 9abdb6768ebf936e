#!/usr/bin/env bash
# Installs what the native build, tests, benchmarks and fuzzers need from Debian packages. Quiet; safe to run again.
set -euo pipefail
"$(dirname "$0")/install-packages.sh" setup cmake ninja-build g++ libgtest-dev libgmock-dev libbenchmark-dev python3 \
  hamradio-files clang libclang-rt-14-dev
