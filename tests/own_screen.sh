#!/usr/bin/env bash
# Runs a test program on a private Xvfb screen of its own, in a copy of the test run's Wine
# prefix (a Wine prefix keeps to the screen it started on, so it cannot be shared), so that
# test programs can run side by side:
#   tests/own_screen.sh WIDTHxHEIGHTxDEPTH[@DPI] WINE PROGRAM [ARGS...]
# @DPI sets the display's scaling in the copy first (LogPixels, which Wine reads at start-up:
# 120 is 125 %, 144 is 150 %, 192 is 200 %).
# A set-up step that fails is named on stderr, and the clean-up, armed before anything is
# started, stops this screen and the copy's wineserver and removes the copy.
set -euo pipefail
size=${1%@*}
dpi=
[ "$size" != "$1" ] && dpi=${1#*@}
shift
here=$(cd "$(dirname "$0")/.." && pwd)

trap lantrel_env_cleanup EXIT  # defined first thing by wine-env.sh
if [ -n "${WINEPREFIX:-}" ] && [ -e "$WINEPREFIX/system.reg" ]; then
  export LANTREL_PREFIX_FROM="$WINEPREFIX"
fi
unset WINEPREFIX  # wine-env.sh makes a copy of that one, or a fresh one
export LANTREL_SCREEN="$size" LANTREL_OWN_XVFB=1
# shellcheck source=tools/wine-env.sh
source "$here/tools/wine-env.sh" || {
  status=$?
  echo "own_screen.sh: the set-up for $(basename "${*: -1}") failed (exit status $status)" >&2
  exit "$status"
}
if [ -n "$dpi" ]; then
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
    { echo "own_screen.sh: setting LogPixels to $dpi failed" >&2; exit 1; }
  wineserver -w
fi
"$@"
