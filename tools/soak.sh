#!/usr/bin/env bash
# Runs Lantrel hard under Wine on a private Xvfb screen: random commands, dialogs, slides,
# and the objects and memory it holds counted from outside.
#   tools/soak.sh [COMMANDS] [SEED]     (default 1000 commands; takes about half an hour)
set -euo pipefail
cd "$(dirname "$0")/.."

tools/setup.sh
cmake --preset mingw >/dev/null
cmake --build --preset mingw

export LANTREL_OWN_XVFB=1
unset WINEPREFIX LANTREL_PREFIX_FROM
trap lantrel_env_cleanup EXIT  # armed before wine-env.sh starts anything
# shellcheck source=tools/wine-env.sh
source tools/wine-env.sh

wine build/mingw/tools/soak.exe "$@"
