#!/usr/bin/env bash
# Runs the benchmarks on the optimised build (debug information kept), headless
# under Wine: bench/harvest_bench.exe (or the benchmarks named) for each
# architecture asked for.
# usage: scripts/bench.sh [i686] [x86_64] [bench...]   (default: i686, harvest_bench)
#   e.g. scripts/bench.sh x86_64 tree_bench
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
archs=(); benches=()
for a in "$@"; do
  case "$a" in i686|x86_64) archs+=("$a") ;; *) benches+=("$a") ;; esac
done
[ ${#benches[@]} -gt 0 ] || benches=(harvest_bench)

scripts/setup.sh
. scripts/wine-env.sh
if [ ${#archs[@]} -eq 0 ]; then
  archs=(i686)
  if ! wine32_runs; then
    echo "bench: the 32-bit build cannot run here ($WINE32_WHY); timing the 64-bit one" >&2
    archs=(x86_64)
  fi
fi
xvfb_start
trap 'wineserver -k >/dev/null 2>&1 || true; xvfb_stop' EXIT
for arch in "${archs[@]}"; do
  if [ "$arch" = i686 ] && ! wine32_runs; then
    echo "bench: the i686 benchmarks cannot run here: $WINE32_WHY" >&2
    continue
  fi
  build=$(scripts/build-release.sh "$arch" "${benches[@]}")
  kind=win64; [ "$arch" = i686 ] && kind=win32
  wine_prefix_init "$root/$build/wineprefix" "$kind"
  wine_prefix_offline
  for bench in "${benches[@]}"; do
    echo "== $bench, $arch, optimised build ($build)"
    wine "$build/bench/$bench.exe"
  done
  wineserver -k >/dev/null 2>&1 || true
done
