#!/usr/bin/env bash
# Builds Lantrel's benchmark and measures, under Wine on a private Xvfb screen, every transition
# on a view of the program's size, and the "Semi-Transparent Show" dialog in the real program:
# prints tables and writes the figures as JSON.
#   tools/benchmark.sh [--screen WIDTHxHEIGHT] [figures.json] [PART[,PART...]]
# Without --screen: an 800 x 600 view on a 1024 x 768 screen.  With it: a screen of that size,
# the view as large as the program's maximised view there, and every View command also timed in
# the real program maximised.  PART: transitions, fade (only the fade's two halves), program,
# mesh; the parts named run alone.
set -euo pipefail
cd "$(dirname "$0")/.."

maximised=()
export LANTREL_SCREEN=1024x768x24
if [ "${1:-}" = --screen ]; then
  if ! [[ "${2:-}" =~ ^[0-9]+x[0-9]+$ ]]; then
    echo "usage: tools/benchmark.sh [--screen WIDTHxHEIGHT] [figures.json] [part]" >&2
    exit 2
  fi
  LANTREL_SCREEN=$2x24
  maximised=(--maximised)
  shift 2
fi
out=${1:-benchmark.json}

tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target benchmark

export LANTREL_OWN_XVFB=1
unset WINEPREFIX
trap lantrel_env_cleanup EXIT  # armed before wine-env.sh starts anything
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

wine build/mingw/tools/benchmark.exe "$out" ${2:-} "${maximised[@]}"
