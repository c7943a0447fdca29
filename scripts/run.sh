#!/usr/bin/env bash
# Builds the optimised Pellucor (debug information kept) and starts it under
# Wine on the user's display.
#   PELLUCOR_ARCH   i686 (default: the 32-bit program) or x86_64
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

arch=${PELLUCOR_ARCH:-i686}
scripts/setup.sh
. scripts/wine-env.sh
if [ "$arch" = i686 ] && ! wine32_runs; then
  echo "run: the 32-bit program cannot run here ($WINE32_WHY); running the 64-bit one" >&2
  arch=x86_64
fi
build=$(scripts/build-release.sh "$arch" Pellucor statservice_exe)

# The program keeps its settings in the registry of a Wine prefix of its own,
# one of 32-bit Windows for the 32-bit program.
if [ "$arch" = i686 ]; then
  wine_prefix_init "${PELLUCOR_WINEPREFIX:-$root/build/wine-run-i686}" win32
else
  wine_prefix_init "${PELLUCOR_WINEPREFIX:-$root/build/wine-run}" win64
fi

# The program fetches its statistics pages from the host in its profile. Unless
# PELLUCOR_STATS_HOST names one, our own statistics service runs on a free
# loopback port for as long as the program does.
host=${PELLUCOR_STATS_HOST:-}
if [ -z "$host" ]; then
  svc_log=$WINEPREFIX/statservice.log
  rm -f "$svc_log"
  # The service stops when its input closes: this script holds the pipe to it.
  exec {svc_in}> >(exec wine "$build/tests/statservice/statservice.exe" --port 0 >"$svc_log" 2>&1)
  svc_pid=$!
  for _ in $(seq 150); do
    host=$(sed -n 's/^listening on \([0-9.:]*\).*/\1/p' "$svc_log" 2>/dev/null || true)
    [ -n "$host" ] && break
    kill -0 "$svc_pid" 2>/dev/null || break
    sleep 0.2
  done
  if [ -z "$host" ]; then
    echo "run: the statistics service did not start" >&2
    cat "$svc_log" >&2 2>/dev/null
    exit 1
  fi
  echo "run: statistics service on $host (requests logged in $svc_log)"
fi
wine reg add 'HKCU\Software\Dunmorrow\Pellucor\Settings' /v StatisticsHost /d "$host" /f >/dev/null
# The program runs in its own folder, as a shortcut starts it: the tip of the
# day reads "tips.txt" from there. Files named on the command line keep
# meaning what they meant here.
args=()
for a in "$@"; do
  if [ -e "$a" ]; then args+=("$(realpath "$a")"); else args+=("$a"); fi
done
set -- "${args[@]+"${args[@]}"}"
cd "$build/harvester"
if [ -z "${svc_pid:-}" ]; then
  exec wine ./Pellucor.exe "$@"
fi

rc=0
wine ./Pellucor.exe "$@" {svc_in}>&- || rc=$?
exec {svc_in}>&-
for _ in $(seq 25); do
  kill -0 "$svc_pid" 2>/dev/null || break
  sleep 0.2
done
kill "$svc_pid" 2>/dev/null || true
exit "$rc"
