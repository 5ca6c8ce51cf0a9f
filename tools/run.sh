#!/usr/bin/env bash
# Builds Lantrel and runs it.
# - With a display: runs the program there (arguments are passed on to it).
# - Without one: records every command on its own Xvfb (tools/gallery.sh) and writes one
#   animated GIF per command to out/run/.
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
lantrel_build

exe=build/mingw/app/lantrel.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/lantrel/wine}
  mkdir -p "$(dirname "$WINEPREFIX")"
  # shellcheck source=tools/wine-env.sh
  source tools/wine-env.sh
  exec wine "$exe" "$@"
fi

echo "No display: recording every command on a private Xvfb instead." >&2
tools/gallery.sh out/run
echo "Recordings (one animated GIF per command) are in out/run/" >&2
