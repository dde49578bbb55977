#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks, and says what it installs.
#   scripts/ensure-deps.sh            building and testing everything
#   scripts/ensure-deps.sh release    building the packages only (./release)
# Quick when everything is present: dpkg is asked first, apt only when needed.
set -euo pipefail

# What ./release needs: the compilers, zlib for both, CPack, dpkg-buildflags
# and dpkg-shlibdeps, and git for the release's date.
release_packages=(
  cmake g++ zlib1g-dev dpkg-dev git
  g++-mingw-w64-i686 libz-mingw-w64-dev
)
test_packages=(
  clang libclang-rt-14-dev googletest libgtest-dev
  wine wine32:i386
  g++-mingw-w64-x86-64-posix wine64
  fonts-wine  # Marlett for the caption buttons; the prefix set-up copies it in
  xvfb xauth xdotool imagemagick icoutils
  libpng-dev python3
  # the release checks: lintian, the manual page, file types as a file manager
  # reads them, the zip, and the two thumbnail services with a private bus
  lintian man-db shared-mime-info libglib2.0-bin file unzip
  tumbler dbus-daemon gir1.2-gnomedesktop-3.0 python3-gi bubblewrap
)

packages=("${release_packages[@]}")
need_i386=0
if [ "${1:-}" != release ]; then
  packages+=("${test_packages[@]}")
  dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1
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
  echo "adding the i386 architecture (32-bit Wine)" >&2
  $SUDO dpkg --add-architecture i386
fi
echo "installing: ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
