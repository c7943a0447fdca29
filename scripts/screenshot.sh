#!/usr/bin/env bash
# Takes a picture of Pellucor as it comes up: builds the program, starts it on a
# virtual display and in a Wine prefix of its own, against the statistics
# service on loopback, waits until the main window is there (after the splash),
# saves the whole screen and stops the program again.
# usage: scripts/screenshot.sh [output.png]        (default build/screenshot.png)
#   PELLUCOR_ARCH   i686 (default: the 32-bit program) or x86_64; the optimised
#                   build is the one pictured, as scripts/run.sh runs it
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
arch=${PELLUCOR_ARCH:-i686}
out=${1:-$root/build/screenshot.png}

scripts/setup.sh
. scripts/wine-env.sh
if [ "$arch" = i686 ] && ! wine32_runs; then
  echo "screenshot: the 32-bit program cannot run here ($WINE32_WHY); picturing the 64-bit one" >&2
  arch=x86_64
fi
build=$(scripts/build-release.sh "$arch" Pellucor statservice_exe 2>/dev/null)

if [ "$arch" = i686 ]; then
  wine_prefix_init "$root/build/wine-shot-i686" win32
else
  wine_prefix_init "$root/build/wine-shot" win64
fi
wine_prefix_offline
xvfb_start

svc_pid=
app_pid=
cleanup() {
  # Only what this script started: the prefix's own processes, its display.
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  if [ -n "$svc_pid" ]; then kill "$svc_pid" 2>/dev/null || true; fi
  xvfb_stop || true
}
trap cleanup EXIT

# The statistics service runs for as long as this script holds its input.
svc_log=$WINEPREFIX/statservice.log
rm -f "$svc_log"
exec {svc_in}> >(exec wine "$build/tests/statservice/statservice.exe" --port 0 >"$svc_log" 2>&1)
svc_pid=$!
host=
for _ in $(seq 150); do
  host=$(sed -n 's/^listening on \([0-9.:]*\).*/\1/p' "$svc_log" 2>/dev/null || true)
  [ -n "$host" ] && break
  sleep 0.2
done
[ -n "$host" ] || { echo "screenshot: the statistics service did not start" >&2; exit 1; }

# The program's profile: the service to ask, and no tip of the day over the window.
wine reg add 'HKCU\Software\Dunmorrow\Pellucor\Settings' /v StatisticsHost /d "$host" /f >/dev/null
wine reg add 'HKCU\Software\Dunmorrow\Pellucor\Tip' /v StartUp /t REG_DWORD /d 1 /f >/dev/null

wine "$build/harvester/Pellucor.exe" {svc_in}>&- &
app_pid=$!

# The splash's window is "Pellucor v 4.0"; the main window's title ends in
# "Pellucor" ("Untitled - Pellucor").
up=
for _ in $(seq 300); do
  if xwininfo -root -tree 2>/dev/null | grep -Eq '"([^"]* - )?Pellucor"'; then
    up=1
    break
  fi
  kill -0 "$app_pid" 2>/dev/null || { echo "screenshot: the program ended" >&2; exit 1; }
  sleep 0.1
done
[ -n "$up" ] || echo "screenshot: no main window seen within 30 s; taking the screen as it is" >&2
# Let it finish showing and painting.
sleep 2
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "screenshot: $out"
