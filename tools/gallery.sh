#!/usr/bin/env bash
# Records every command of Lantrel's View and Dialog menus on a private Xvfb and writes one
# small animated GIF per command (and for the opening and the closing of the frame) to
# docs/gallery/, and the README's gallery table to match.  The commands, their order and the
# files' names come from the program: the menu items its view enables (tools/menucommands.cpp).
# Usage: tools/gallery.sh [OUTPUT_DIR]   records (the README's table only for docs/gallery)
#        tools/gallery.sh --table        writes the README's table alone, recording nothing
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
lantrel_build >/dev/null

table_only=0
if [ "${1:-}" = --table ]; then
  table_only=1
  shift
fi
out=${1:-docs/gallery}
work=$(mktemp -d /tmp/lantrel-gallery.XXXXXX)
lantrel_tool_cleanup() { rm -rf "$work"; }
trap lantrel_tool_cleanup EXIT
lantrel_private_wine

# "ID<tab>Menu<tab>Caption" per command -> "NN-caption-as-file-name ID Menu ▸ Caption".
commands=()
n=0
while IFS=$'\t' read -r id menu caption; do
  n=$((n + 1))
  slug=$(printf '%s' "$caption" | tr 'A-Z' 'a-z' | tr -cs 'a-z0-9' '-' | sed 's/^-//; s/-$//')
  commands+=("$(printf '%02d-%s' "$n" "$slug") $id $menu ▸ $caption")
done < <(wine build/mingw/tools/menucommands.exe | tr -d '\r')
[ "$n" -gt 0 ] || { echo "gallery: the program listed no commands" >&2; exit 1; }
last=$(printf '%02d-shrink-on-close' $((n + 1)))

# The README's table, between its two marker lines.
write_table() {
  local rows="$work/rows.md" entry name title
  row() { printf '| %s | ![%s](docs/gallery/%s.gif) |\n' "$2" "$2" "$1" >>"$rows"; }
  : >"$rows"
  row 00-grow-at-start "The frame grows open at start"
  for entry in "${commands[@]}"; do
    read -r name _ title <<<"$entry"
    row "$name" "$title"
  done
  row "$last" "The frame shrinks away on close"
  awk -v rows="$rows" '
    /^<!-- gallery table/ { print; print "| Command | Recording |"; print "|---|---|";
                            while ((getline line < rows) > 0) print line; skip = 1; next }
    /^<!-- end of gallery table/ { skip = 0 }
    !skip' README.md >"$work/README.md"
  cp "$work/README.md" README.md
  echo "  README.md: gallery table of $((n + 2)) recordings" >&2
}
if [ "$table_only" = 1 ]; then
  write_table
  exit 0
fi
mkdir -p "$out"
rm -f "$out"/[0-9][0-9]-*.gif  # the numbers move when a command comes or goes

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

for entry in "${commands[@]}"; do
  read -r name id _ <<<"$entry"
  wine "$record" "$id" "$work/$name" 80
  make_gif "$work/$name" "$name"
done

wine "$record" close "$work/close" 80
make_gif "$work/close" "$last"
wait "$program" || true
du -sh "$out" >&2
if [ "$out" = docs/gallery ]; then write_table; fi
