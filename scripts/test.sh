#!/usr/bin/env bash
# Builds the program and its tests for both architectures, the 32-bit program
# (build/i686) and the 64-bit one (build/x86_64), and runs every test of each
# headless under Wine, each architecture in a Wine prefix of its own kind. On a
# machine that does not start 32-bit programs the 32-bit tests are built, not
# run, and the run says so; everything else runs as anywhere.
# usage: scripts/test.sh [ctest args...]        (passed to both ctest runs)
#   PELLUCOR_ARCHS   the architectures to build and test (default "i686 x86_64")
set -euo pipefail
trap 'echo "test.sh: failed at line $LINENO: $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
archs=${PELLUCOR_ARCHS:-i686 x86_64}

scripts/setup.sh

for arch in $archs; do
  cmake -S . -B "build/$arch" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=Debug -DPELLUCOR_TESTS=ON >/dev/null
  cmake --build "build/$arch" -j "$jobs"
done

. scripts/wine-env.sh
xvfb_start
trap 'xvfb_stop' EXIT

failed=()
ran=()
skipped=
for arch in $archs; do
  kind=win64; [ "$arch" = i686 ] && kind=win32
  if [ "$kind" = win32 ] && ! wine32_runs; then
    skipped="the i686 tests were built but not run: $WINE32_WHY"
    echo "test.sh: $skipped"
    continue
  fi
  wine_prefix_init "$root/build/$arch/wineprefix" "$kind"
  wine_prefix_offline
  # Keep one wineserver for the whole run: otherwise each test waits for the
  # last one to linger out.
  wineserver -p 2>/dev/null || true   # one may be running for this prefix already
  # The first start in a prefix can fail while its server settles: once more.
  wine cmd /c exit >/dev/null 2>&1 || wine cmd /c exit >/dev/null 2>&1 || true
  echo "test.sh: the $arch tests ($kind prefix)"
  (cd "build/$arch" && ctest --output-on-failure "$@") || failed+=("$arch")
  ran+=("$arch")
  wineserver -k >/dev/null 2>&1 || true
done

if [ ${#failed[@]} -gt 0 ]; then
  echo "test.sh: tests failed on ${failed[*]}" >&2
  exit 1
fi
if [ ${#ran[@]} -eq 0 ]; then
  echo "test.sh: no tests ran" >&2
  exit 1
fi
echo "test.sh: all tests passed on ${ran[*]}"
[ -z "$skipped" ] || echo "test.sh: $skipped"
