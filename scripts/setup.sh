#!/usr/bin/env bash
# Installs, from Debian's packages only, whatever the build and the tests need
# and is not on this machine yet. Safe to run again: it does nothing when all is there.
set -euo pipefail

SUDO=; [ "$(id -u)" -eq 0 ] || SUDO=sudo
have() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# apt-get update, tried again when a mirror is caught between two states (an
# index that does not match its release file); the last failure is reported.
update_index() {
  local try
  for try in 1 2 3; do
    if $SUDO apt-get update -qq; then
      return 0
    fi
    echo "setup: the package index could not be read (try $try of 3)" >&2
    sleep $((try * 10))
  done
  return 1
}

# apt-get install, with a fresh index between tries for the same reason.
install_packages() {
  local try
  for try in 1 2 3; do
    if DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@" >/dev/null; then
      return 0
    fi
    echo "setup: installing $* failed (try $try of 3)" >&2
    sleep $((try * 10))
    update_index || true
  done
  return 1
}

need=()
for p in cmake make g++-mingw-w64-x86-64 g++-mingw-w64-i686 mingw-w64-tools wine wine64 \
         xvfb xauth x11-utils fonts-wine fonts-liberation locales imagemagick python3 googletest; do
  have "$p" || need+=("$p")
done

if [ ${#need[@]} -gt 0 ]; then
  echo "setup: installing ${need[*]}"
  update_index
  install_packages "${need[@]}"
fi

# The 32-bit program runs under 32-bit Wine, which comes from the i386 side
# of the same packages.
if ! have wine32:i386; then
  echo "setup: installing 32-bit Wine (wine32:i386)"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  if ! { update_index && install_packages wine32:i386; }; then
    cat >&2 <<'MSG'
setup: 32-bit Wine (wine32:i386) could not be installed, so the 32-bit program
cannot be run or tested on this machine. The package index may be out of step
with its mirror: try scripts/setup.sh again later.
MSG
    exit 1
  fi
fi

# Wine takes its ANSI code page from the Unix locale; the program's text is code page 1251.
if ! locale -a 2>/dev/null | grep -qi '^ru_RU\.utf-\?8$'; then
  $SUDO localedef -i ru_RU -f UTF-8 ru_RU.UTF-8
fi
