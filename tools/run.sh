#!/usr/bin/env bash
# Builds Lantrel and runs it.
# - With a display: runs the program there (arguments are passed on to it).
# - Without one: starts its own Xvfb, runs the program through a few commands and writes
#   screenshots to out/run/ (PNG files a person can look at).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw

exe=build/mingw/app/lantrel.exe
drive=build/mingw/tools/drive.exe

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  export WINEPREFIX=${WINEPREFIX:-$HOME/.local/share/lantrel/wine}
  mkdir -p "$(dirname "$WINEPREFIX")"
  # shellcheck source=tools/wine-env.sh
  source tools/wine-env.sh
  exec wine "$exe" "$@"
fi

echo "No display: running on a private Xvfb and recording screenshots." >&2
export LANTREL_OWN_XVFB=1
unset WINEPREFIX
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
trap lantrel_env_cleanup EXIT

out=out/run
rm -rf "$out"
mkdir -p "$out"
shot() { import -window root "$out/$1.png"; echo "  $out/$1.png" >&2; }

wine "$exe" &
program=$!
wine "$drive" wait
shot 01-start-genie

# name, command id: a few transitions, each caught halfway and at its end
steps=(
  "02-circle-like 32775"
  "03-door-like-horizontally 32778"
  "04-corner-from-lt-rb 32780"
  "05-mosaic-vertically 32784"
  "06-random-threads 32788"
  "07-fade-in-out 32790"
)
for step in "${steps[@]}"; do
  read -r name id <<<"$step"
  wine "$drive" post "$id"
  sleep 0.5
  shot "$name-during"
  wine "$drive" command 0   # returns once the transition is over
  sleep 0.3
  shot "$name-after"
done

wine "$drive" close
wait "$program" || true
echo "Screenshots are in $out/" >&2
