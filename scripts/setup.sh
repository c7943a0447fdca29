#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever the build and the tests need
# and is not on this machine yet. Safe to run again: it does nothing when all is there.
set -euo pipefail

need=()
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools wine wine64 \
         xvfb xauth x11-utils fonts-wine fonts-liberation locales imagemagick python3 googletest; do
  have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${need[@]}" >/dev/null
fi

# Wine takes its ANSI code page from the Unix locale; the program's text is code page 1251.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
