#!/usr/bin/env bash
# Builds everything (the tested x86_64 build and the 32-bit program) and runs
# every test headless under Wine.
set -euo pipefail
trap 'echo "test.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

scripts/setup.sh

cmake -S . -B build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/x86_64 -j "$jobs"
cmake -S . -B build/i686 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Debug -DPELLUCOR_TESTS=OFF >/dev/null
cmake --build build/i686 -j "$jobs" --target Pellucor

. scripts/wine-env.sh
xvfb_start
trap 'wineserver -k >/dev/null 2>&1 || true; xvfb_stop' EXIT
wine_prefix_init "$root/build/x86_64/wineprefix"
wine_prefix_offline
# Keep one wineserver for the whole run: otherwise each test waits for the last
# one to linger out.
wineserver -p 2>/dev/null || true   # one may be running for this prefix already
wine cmd /c exit >/dev/null 2>&1

cd build/x86_64
ctest --output-on-failure "$@"
