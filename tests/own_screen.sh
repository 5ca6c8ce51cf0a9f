#!/usr/bin/env bash
# Runs a test program on a private Xvfb screen of its own, in a copy of the test run's Wine
# prefix (a Wine prefix keeps to the screen it started on, so it cannot be shared), so that
# test programs can run side by side:
#   tests/own_screen.sh WIDTHxHEIGHTxDEPTH WINE PROGRAM [ARGS...]
# A set-up step that fails is named on stderr, and the clean-up, armed before anything is
# started, stops this screen and the copy's wineserver and removes the copy.
set -euo pipefail
size=$1
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
"$@"
