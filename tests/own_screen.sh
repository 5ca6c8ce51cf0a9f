#!/usr/bin/env bash
# Runs a test program on a private Xvfb screen of its own, in a copy of the test run's Wine
# prefix (a Wine prefix keeps to the screen it started on, so it cannot be shared), so that
# test programs can run side by side:
#   tests/own_screen.sh WIDTHxHEIGHTxDEPTH WINE PROGRAM [ARGS...]
set -euo pipefail
size=$1
shift
here=$(cd "$(dirname "$0")/.." && pwd)

if [ -n "${WINEPREFIX:-}" ] && [ -e "$WINEPREFIX/system.reg" ]; then
  WINEPREFIX="$WINEPREFIX" wineserver -w  # its registry is on disk once its server has ended
  copy=$(mktemp -d /tmp/lantrel-wine.XXXXXX)
  cp -a "$WINEPREFIX/." "$copy/"
  export WINEPREFIX="$copy" LANTREL_PREFIX_TMP="$copy"
else
  unset WINEPREFIX  # wine-env.sh makes a fresh one
fi
export LANTREL_SCREEN="$size" LANTREL_OWN_XVFB=1
# shellcheck source=tools/wine-env.sh
source "$here/tools/wine-env.sh"
trap lantrel_env_cleanup EXIT
"$@"
