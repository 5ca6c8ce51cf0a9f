#!/usr/bin/env bash
# Runs Lantrel hard under Wine on a private Xvfb screen: random commands, dialogs, slides,
# and the objects and memory it holds counted from outside.
#   tools/soak.sh [COMMANDS] [SEED]     (default 1000 commands; takes about half an hour)
set -euo pipefail
cd "$(dirname "$0")/.."

# shellcheck source=tools/tool-start.sh
source tools/tool-start.sh
lantrel_build
lantrel_private_wine

wine build/mingw/tools/soak.exe "$@"
