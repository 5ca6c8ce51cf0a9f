#!/usr/bin/env bash
# Installs what building, running and testing Lantrel need, if anything is missing
# (Debian packages; run as root or with sudo available).
set -euo pipefail

packages=(
  cmake ninja-build python3
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine
  xvfb xauth x11-utils imagemagick
)
commands=(cmake ninja python3 x86_64-w64-mingw32-g++-posix x86_64-w64-mingw32-windres
          wine Xvfb xauth xdpyinfo import convert)

missing=0
for c in "${commands[@]}"; do
  command -v "$c" >/dev/null 2>&1 || { missing=1; break; }
done
[ -d /usr/share/wine/fonts ] || missing=1
[ "$missing" = 1 ] || exit 0

sudo=""
if [ "$(id -u)" != 0 ]; then sudo="sudo"; fi
echo "Installing build and test tools: ${packages[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${packages[@]}" >/dev/null
