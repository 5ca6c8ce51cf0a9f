#!/usr/bin/env bash
# Wine 10 from Debian 13 ("trixie") on this machine, so Lantrel and its tests can run under a
# second, newer Wine beside the system's own.
#
#   tools/wine10.sh setup           builds, once, a minimal Debian 13 root holding Wine 10 and
#                                   Xvfb (cached in $LANTREL_WINE10_ROOT), and prints a folder
#                                   of wine, wineserver, wineboot and Xvfb commands that run
#                                   from it: put it first on PATH
#   tools/wine10.sh root            prints where that root is
#   tools/wine10.sh run CMD [ARGS]  runs CMD from that root with this shell's display, Wine
#                                   prefix, working directory and LANTREL_* settings
#
# A command runs chrooted in a mount namespace of its own, with /proc, /dev, /tmp, the work tree,
# the prefix and the working directory bound in at the same paths, so nothing is left mounted
# on this machine once the command (and the wineserver it started) has ended.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
root=${LANTREL_WINE10_ROOT:-${XDG_CACHE_HOME:-$HOME/.cache}/lantrel/debian13-wine10}
mirror=${LANTREL_DEBIAN_MIRROR:-http://deb.debian.org/debian}
packages=(wine wine64 fonts-wine xvfb xauth)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Mounts the binds under $1 (inside a private mount namespace) and runs the rest in the chroot.
enter() {
  local dir=$1 bound=() path b skip
  shift
  mount -t proc proc "$dir/proc"
  mount --rbind /dev "$dir/dev"
  for path in /tmp "$here" ${WINEPREFIX:+"$WINEPREFIX"} "$PWD"; do
    skip=0
    for b in "${bound[@]}" /proc /dev; do
      case "$path/" in "$b"/*) skip=1 ;; esac
    done
    [ "$skip" = 1 ] && continue
    mkdir -p "$dir$path"
    mount --rbind "$path" "$dir$path"
    bound+=("$path")
  done
  exec chroot "$dir" "$@"
}

build_root() {
  [ -x "$root/usr/bin/wine" ] && return 0
  command -v debootstrap >/dev/null 2>&1 || {
    echo "Installing debootstrap" >&2
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  }
  local tmp="$root.partial"
  echo "Building a Debian 13 root with Wine 10 in $root (once; a few minutes)" >&2
  as_root rm -rf "$tmp"
  as_root mkdir -p "$tmp"
  as_root debootstrap --variant=minbase trixie "$tmp" "$mirror" >"$tmp.log" 2>&1 || {
    tail -n 20 "$tmp.log" >&2
    return 1
  }
  as_root unshare -m --propagation private -- "$0" _enter "$tmp" /usr/bin/env -i \
    PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive /bin/sh -c \
    "apt-get update -qq && apt-get install -y -qq --no-install-recommends ${packages[*]} && apt-get clean" \
    >>"$tmp.log" 2>&1 || {
    tail -n 20 "$tmp.log" >&2
    return 1
  }
  as_root rm -f "$tmp.log"
  as_root mv "$tmp" "$root"
}

make_bin() {
  local bin=$here/build/wine10/bin cmd
  mkdir -p "$bin"
  for cmd in wine wineserver wineboot Xvfb; do
    printf '#!/bin/sh\nexec "%s" run %s "$@"\n' "$here/tools/wine10.sh" "$cmd" >"$bin/$cmd"
    chmod +x "$bin/$cmd"
  done
  echo "$bin"
}

run() {
  local vars=(HOME=/root PATH=/usr/bin:/bin) v
  for v in DISPLAY WINEPREFIX WINEDEBUG WINEDLLOVERRIDES $(compgen -e LANTREL_); do
    [ -n "${!v:-}" ] && vars+=("$v=${!v}")
  done
  local enter=(unshare -m --propagation private --)
  [ "$(id -u)" = 0 ] || enter=(unshare -r -m --propagation private --)
  exec "${enter[@]}" "$0" _enter "$root" /usr/bin/env -i "${vars[@]}" \
    /bin/bash -c 'cd "$0" && exec "$@"' "$PWD" "$@"
}

case "${1:-}" in
  setup) build_root && make_bin ;;
  root) echo "$root" ;;
  run) shift; run "$@" ;;
  _enter) shift; enter "$@" ;;
  *) sed -n '2,16p' "$0" >&2; exit 2 ;;
esac
