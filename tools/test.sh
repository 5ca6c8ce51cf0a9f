#!/usr/bin/env bash
# Builds Lantrel and its tests, then runs every test program under Wine, two at a time, each on
# a private Xvfb screen (1024 x 768 unless it asks for another) in its own copy of a fresh
# prefix, and prints ctest's summary.
#   tools/test.sh [--wine 10] [CTEST ARGS...]
# --wine 10 runs the suite under Debian 13's Wine 10 (tools/wine10.sh) instead of the system's.
set -euo pipefail
cd "$(dirname "$0")/.."

if [ "${1:-}" = --wine ]; then
  export LANTREL_WINE=$2
  shift 2
fi

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
lantrel_build
lantrel_private_wine

ctest --preset mingw --parallel 2 "$@"
