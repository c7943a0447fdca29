#!/usr/bin/env bash
# Builds the optimised program with its debug information kept (exception
# reports name functions and lines), for one architecture, into build/<arch>-release.
# usage: scripts/build-release.sh <i686|x86_64> [targets...]   (prints the build folder)
set -euo pipefail
cd "$(dirname "$0")/.."
arch=$1; shift
case "$arch" in i686|x86_64) ;; *) echo "build-release: no architecture $arch" >&2; exit 1 ;; esac
build=build/$arch-release
# RelWithDebInfo: -O2 with debug information; the project's own -gdwarf-4
# follows and keeps it in the form the report's symbol reader understands.
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target "${@:-Pellucor}" >&2
echo "$build"
