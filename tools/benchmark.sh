#!/usr/bin/env bash
# Builds Lantrel's benchmark and measures every transition on an 800 x 600 view, and the
# "Semi-Transparent Show" dialog in the real program, under Wine on a private Xvfb screen
# (1024 x 768): prints tables and writes the figures as JSON.
#   tools/benchmark.sh [figures.json] [transitions|mesh]   (default benchmark.json, both)
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-benchmark.json}

tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw --target benchmark

export LANTREL_OWN_XVFB=1
unset WINEPREFIX
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh
trap lantrel_env_cleanup EXIT

wine build/mingw/tools/benchmark.exe "$out" ${2:-}
