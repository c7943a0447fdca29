#!/usr/bin/env bash
# Runs the benchmarks on the optimised build (debug information kept), headless
# under Wine: bench/harvest_bench.exe for each architecture asked for.
# usage: scripts/bench.sh [i686] [x86_64]          (default: i686, the 32-bit program)
#   PELLUCOR_BENCH   another benchmark of bench/ to run instead (e.g. lists_bench)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
archs=("$@"); [ ${#archs[@]} -gt 0 ] || archs=(i686)
bench=${PELLUCOR_BENCH:-harvest_bench}

scripts/setup.sh
. scripts/wine-env.sh
xvfb_start
trap 'wineserver -k >/dev/null 2>&1 || true; xvfb_stop' EXIT
for arch in "${archs[@]}"; do
  build=$(scripts/build-release.sh "$arch" "$bench")
  kind=win64; [ "$arch" = i686 ] && kind=win32
  wine_prefix_init "$root/$build/wineprefix" "$kind"
  wine_prefix_offline
  echo "== $bench, $arch, optimised build ($build)"
  wine "$build/bench/$bench.exe"
  wineserver -k >/dev/null 2>&1 || true
done
