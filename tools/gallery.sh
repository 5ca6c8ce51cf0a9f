#!/usr/bin/env bash
# Records every command of Lantrel on a private Xvfb and writes one small animated GIF per
# command (and for the opening and the closing of the frame) to docs/gallery/.
# Usage: tools/gallery.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw >/dev/null

out=${1:-docs/gallery}
mkdir -p "$out"
work=$(mktemp -d /tmp/lantrel-gallery.XXXXXX)

export LANTREL_OWN_XVFB=1
unset WINEPREFIX LANTREL_PREFIX_FROM
cleanup() { lantrel_env_cleanup; rm -rf "$work"; }
trap cleanup EXIT  # armed before wine-env.sh starts anything
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

exe=build/mingw/app/lantrel.exe
record=build/mingw/tools/record.exe

# Frames (BMP, 800 x 600, one every 80 ms) -> GIFs of 320 x 240 with a small palette, so
# that all of them together stay under 10 MB.
make_gif() {
  local frames=$1 name=$2
  convert -delay 8 -loop 0 "$frames/frame-*.bmp[320x240]" -colors 48 -fuzz 2% \
    -layers OptimizeTransparency "$out/$name.gif"
  rm -rf "$frames"
  echo "  $out/$name.gif" >&2
}

wine "$record" start "$work/start" 80 &
recorder=$!
sleep 0.3
wine "$exe" &
program=$!
wait "$recorder"
make_gif "$work/start" 00-grow-at-start

# name, command id
commands=(
  "01-vertically-smooth-away 32772"
  "02-horizontally-smooth-away 32773"
  "03-door-like-vertically 32777"
  "04-door-like-horizontally 32778"
  "05-circle-like 32775"
  "06-rect-like 32779"
  "07-diamond-like 32792"
  "08-lens-like 32793"
  "09-corner-from-lt-rb 32780"
  "10-corner-from-rt-lb 32781"
  "11-window-blind-vertically 32782"
  "12-window-blind-horizotally 32783"
  "13-mosaic-vertically 32784"
  "14-mosaic-horizontally 32786"
  "15-semi-transparent-show 32787"
  "16-random-threads 32788"
  "17-fade-in-out 32790"
  "18-slid-show 32789"
)
for entry in "${commands[@]}"; do
  read -r name id <<<"$entry"
  wine "$record" "$id" "$work/$name" 80
  make_gif "$work/$name" "$name"
done

wine "$record" close "$work/close" 80
make_gif "$work/close" 19-shrink-on-close
wait "$program" || true
du -sh "$out" >&2
