# Sourced by the test and run scripts: the Wine environment the program runs in.
# Defines wine_prefix_init <prefix> [win32|win64], wine_prefix_offline and
# xvfb_start / xvfb_stop.

# Code page 1251 comes from the Unix locale; proxies would catch loopback traffic.
export LC_ALL=ru_RU.UTF-8
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-winemenubuilder.exe=d;winedbg.exe=d;mscoree=d;mshtml=d;mapi32=n,b}"
unset http_proxy https_proxy HTTP_PROXY HTTPS_PROXY ftp_proxy no_proxy NO_PROXY all_proxy ALL_PROXY

# Some kernels refuse 32-bit programs (IA-32 emulation switched off at boot,
# some container and cloud hosts). Once wine32 is installed, Wine's own
# launchers (wine, wineboot, ...) always pick its 32-bit loader, which such a
# kernel cannot start, and nothing Wine-related runs. One check, made once when
# this file is sourced, decides: where 32-bit programs do not start, every
# script reaches Wine through its 64-bit loader (scripts/wine64/wine on PATH,
# and WINELOADER for the processes Wine starts itself) and leaves the 32-bit
# program alone, saying why.
#   PELLUCOR_32BIT=no          treat this machine as one that cannot (to try
#                              that path on a machine that can)
#   PELLUCOR_WINE32_LOADER     the 32-bit loader to try (default /usr/lib/wine/wine)
#   PELLUCOR_WINE64_LOADER     the 64-bit loader to use (default /usr/lib/wine/wine64)
PELLUCOR_WINE32_LOADER=${PELLUCOR_WINE32_LOADER:-/usr/lib/wine/wine}
PELLUCOR_WINE64_LOADER=${PELLUCOR_WINE64_LOADER:-/usr/lib/wine/wine64}
WINE32_WHY=

# wine32_check: 0 when the 32-bit loader starts; otherwise 1, with the reason in
# WINE32_WHY.
wine32_check() {
  WINE32_WHY=
  if [ "${PELLUCOR_32BIT:-}" = no ]; then
    WINE32_WHY="PELLUCOR_32BIT=no says this machine does not run 32-bit programs"
    return 1
  fi
  if [ ! -x "$PELLUCOR_WINE32_LOADER" ]; then
    WINE32_WHY="32-bit Wine (wine32) is not installed ($PELLUCOR_WINE32_LOADER is missing): scripts/setup.sh installs it"
    return 1
  fi
  local out
  if out=$(LC_ALL=C; "$PELLUCOR_WINE32_LOADER" --version 2>&1 </dev/null); then
    return 0
  fi
  out=$(printf '%s' "$out" | tail -n 1)
  WINE32_WHY="this machine's kernel does not start 32-bit programs (the 32-bit Wine loader answers: ${out##*: })"
  return 1
}

# wine32_runs: the check's answer, made once.
WINE32_RUNS=
wine32_runs() { [ "$WINE32_RUNS" = yes ]; }

if wine32_check; then
  WINE32_RUNS=yes
else
  WINE32_RUNS=no
  export WINELOADER=$PELLUCOR_WINE64_LOADER
  PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64:$PATH"
  export PATH
fi

# The 32-bit program gets a prefix of 32-bit Windows (win32); everything else a
# 64-bit one. The kind is fixed when the prefix is made: a prefix is never
# reused for the other kind.
wine_prefix_init() {
  export WINEPREFIX=$1
  local arch=${2:-win64}
  unset WINEARCH
  if [ -f "$WINEPREFIX/system.reg" ] && ! grep -q "^#arch=$arch" "$WINEPREFIX/system.reg"; then
    echo "wine: $WINEPREFIX is not a $arch prefix; making it anew"
    wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: creating the $arch prefix $WINEPREFIX"
    if [ "$arch" = win32 ] && ! wine32_runs; then
      echo "wine: no 32-bit prefix can be made: $WINE32_WHY" >&2
      return 1
    fi
    mkdir -p "$WINEPREFIX"
    WINEARCH=$arch wine wineboot.exe -i >/dev/null 2>&1 || true
    # Without a window manager every hide of a top-level window costs 2 s unless
    # Wine manages the windows itself.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Audio /d "" /f >/dev/null 2>&1
    wineserver -w
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "wine: could not create the prefix $WINEPREFIX" >&2
    return 1
  fi
  wine_prefix_fonts
}

# This Wine never looks into the folder its own fonts (fonts-wine) are
# installed in: without them in the prefix's Fonts folder, Marlett (the caption
# buttons' symbols) and Tahoma (the menu, caption and dialog face) resolve to
# a text face found through fontconfig, so the caption buttons draw as the
# letters "0 2 r" and the substitute's hinting clips a closing "d" in menus and
# list headers. The prefix gets them as the system's own fonts.
wine_prefix_fonts() {
  local fonts=$WINEPREFIX/drive_c/windows/Fonts src=/usr/share/wine/fonts
  [ -d "$fonts" ] || return 0
  [ -f "$fonts/marlett.ttf" ] && [ -f "$fonts/tahoma.ttf" ] && return 0
  if [ ! -f "$src/marlett.ttf" ]; then
    echo "wine: Wine's fonts are missing ($src): scripts/setup.sh installs fonts-wine" >&2
    return 0
  fi
  cp -f "$src"/*.ttf "$src"/*.fon "$fonts/"
}

# For tests: the prefix's Internet settings send every address but the loopback
# ones to a proxy port where nothing listens, so that a page the program opens
# (the browser pane's) is never looked up or fetched off this machine.
wine_prefix_offline() {
  [ -f "$WINEPREFIX/.offline" ] && return 0
  local key='HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings'
  wine reg add "$key" /v ProxyEnable /t REG_DWORD /d 1 /f >/dev/null 2>&1
  wine reg add "$key" /v ProxyServer /d 127.0.0.1:9 /f >/dev/null 2>&1
  wine reg add "$key" /v ProxyOverride /d '127.0.0.1;localhost;<local>' /f >/dev/null 2>&1
  touch "$WINEPREFIX/.offline"
}

XVFB_PID=
xvfb_start() {
  local n
  for n in $(seq 90 130); do
    [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do
      [ -e /tmp/.X11-unix/X$n ] && break
      sleep 0.1
    done
    if kill -0 "$XVFB_PID" 2>/dev/null && [ -e /tmp/.X11-unix/X$n ]; then
      export DISPLAY=":$n"
      return 0
    fi
  done
  echo "xvfb: could not start a virtual display" >&2
  return 1
}
xvfb_stop() { [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; XVFB_PID=; }
