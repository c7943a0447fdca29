#!/usr/bin/env bash
# Takes a picture of one toolkit gallery page: builds the gallery, starts it on
# a virtual display and in a Wine prefix of its own with the page opened and
# put in its screenshot state (/show), saves the screen and stops the gallery.
# usage: scripts/gallery-shot.sh "<page name>" [output.png]
#   (default output build/gallery-<page>.png)
#   PELLUCOR_BUILD_DIR   the build folder to build and run from (default build/x86_64)
#   GALLERY_SHOT_DELAY   seconds to wait, at most, for the page to have painted
#                        (default 60); the gallery says when it has
#   GALLERY_SKIN         the skin to start in ("Classic", "Office XP",
#                        "Office 2003" or "none"; default: the gallery's own)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${PELLUCOR_BUILD_DIR:-build/x86_64}
page=${1:?usage: scripts/gallery-shot.sh \"<page name>\" [output.png]}
out=${2:-$root/build/gallery-$(echo "$page" | tr -c 'A-Za-z0-9\n' '_').png}

scripts/setup.sh
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build "$build" -j "$(nproc)" --target toolkit_gallery >/dev/null

. scripts/wine-env.sh
wine_prefix_init "$root/build/wine-gallery"
wine_prefix_offline
xvfb_start

app_pid=
cleanup() {
  # Only what this script started: the gallery, the prefix's server, the display.
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; fi
  wineserver -k 2>/dev/null || true
  xvfb_stop || true
}
trap cleanup EXIT

skin=()
[ -n "${GALLERY_SKIN:-}" ] && skin=(/skin "$GALLERY_SKIN")
# The gallery writes one line to the ready file once the page is in its
# screenshot state and has nothing left to paint: "shown", "busy" (it kept
# painting for 15 s) or "missing" (no such page).
ready=$WINEPREFIX/drive_c/gallery-ready.txt
rm -f "$ready"
wine "$build/toolkit/gallery/toolkit_gallery.exe" "${skin[@]}" /open "$page" /show /ready 'C:\gallery-ready.txt' &
app_pid=$!
limit=$(( ${GALLERY_SHOT_DELAY:-60} * 10 ))
state=
for _ in $(seq "$limit"); do
  if [ -s "$ready" ]; then
    state=$(cut -d' ' -f1 "$ready")
    break
  fi
  kill -0 "$app_pid" 2>/dev/null || { echo "gallery-shot: the gallery ended" >&2; exit 1; }
  sleep 0.1
done
case "$state" in
  shown) ;;
  busy) echo "gallery-shot: \"$page\" kept painting; taking the screen as it is" >&2 ;;
  missing) echo "gallery-shot: the gallery has no page \"$page\"" >&2; exit 1 ;;
  *) echo "gallery-shot: \"$page\" did not say it had painted within ${GALLERY_SHOT_DELAY:-60} s; taking the screen as it is" >&2 ;;
esac
mkdir -p "$(dirname "$out")"
import -window root "$out"
echo "gallery-shot: $out"
