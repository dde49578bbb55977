#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks for building and testing.
# Quick when everything is present: dpkg is asked first, apt only when needed.
set -euo pipefail

packages=(
  cmake g++ clang libclang-rt-14-dev googletest libgtest-dev
  g++-mingw-w64-i686 wine wine32:i386
  g++-mingw-w64-x86-64-posix wine64
  fonts-wine  # Marlett for the caption buttons; the prefix set-up copies it in
  xvfb xauth xdotool imagemagick icoutils
  zlib1g-dev libz-mingw-w64-dev libpng-dev python3
  # ./release and its checks: the .deb's dependencies, lintian, the manual
  # page, file types as a file manager reads them, the zip
  dpkg-dev lintian man-db shared-mime-info libglib2.0-bin file unzip
)

need_i386=0
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  need_i386=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ "$need_i386" = 0 ] && [ "${#missing[@]}" = 0 ]; then
  exit 0
fi

SUDO=""
[ "$(id -u)" = 0 ] || SUDO="sudo"
if [ "$need_i386" = 1 ]; then
  $SUDO dpkg --add-architecture i386
fi
echo "installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
