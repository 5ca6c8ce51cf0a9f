#!/usr/bin/env bash
# Builds Lantrel's benchmark and measures, under Wine on a private Xvfb screen, every transition
# on a view of the program's size, and the "Semi-Transparent Show" dialog in the real program:
# prints tables and writes the figures as JSON.
#   tools/benchmark.sh [--screen WIDTHxHEIGHT] [--runs N] [figures.json] [PART[,PART...]]
# Without --screen: an 800 x 600 view on a 1024 x 768 screen.  With it: a screen of that size,
# the view as large as the program's maximised view there, and every View command also timed in
# the real program maximised.  Each command runs N times (default 3), and its figures come with
# their least and most; what they depend on is printed first (Wine, processor, screen, the
# prefix's settings, the load average at the start and the end).  PART: transitions, fade (only
# the fade's two halves), program, mesh; the parts named run alone.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
  echo "usage: tools/benchmark.sh [--screen WIDTHxHEIGHT] [--runs N] [figures.json] [part]" >&2
  exit 2
}
maximised=() runs=3
export LANTREL_SCREEN=1024x768x24
while [ $# -gt 0 ]; do
  case "$1" in
    --screen)
      [[ "${2:-}" =~ ^[0-9]+x[0-9]+$ ]] || usage
      LANTREL_SCREEN=$2x24
      maximised=(--maximised)
      shift 2
      ;;
    --runs)
      [[ "${2:-}" =~ ^[1-9][0-9]*$ ]] || usage
      runs=$2
      shift 2
      ;;
    *) break ;;
  esac
done
out=${1:-benchmark.json}

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
lantrel_build --target benchmark
lantrel_private_wine
# What the figures are printed with: a new prefix (wine-env.sh), set up just before.
LANTREL_BENCH_PREFIX="new for this run (wineboot -i, then its X11 Driver settings);"
export LANTREL_BENCH_PREFIX+=" benchmark.exe the first program run in it after them"

wine build/mingw/tools/benchmark.exe "$out" ${2:-} "${maximised[@]}" --runs "$runs"
