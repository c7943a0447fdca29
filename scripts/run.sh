#!/usr/bin/env bash
# Builds Pellucor and starts it under Wine on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

if [ -z "${DISPLAY:-}" ]; then
  cat >&2 <<'MSG'
run: there is no display (DISPLAY is not set), so no window can be shown.
Run this from a graphical session, or start a virtual display and look at it
with a VNC viewer or screenshots, for example:
    Xvfb :5 -screen 0 1280x1024x24 &  DISPLAY=:5 scripts/run.sh
MSG
  exit 1
fi

scripts/setup.sh
cmake -S . -B build/x86_64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/x86_64 -j "$(nproc)" --target Pellucor

. scripts/wine-env.sh
# The program keeps its settings in the registry of a Wine prefix of its own.
wine_prefix_init "${PELLUCOR_WINEPREFIX:-$root/build/wine-run}"
exec wine build/x86_64/harvester/Pellucor.exe "$@"
