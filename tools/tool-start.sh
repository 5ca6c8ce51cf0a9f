#!/usr/bin/env bash
# What the tools that build Lantrel and run it under Wine do first.  Sourced from the
# repository's top, it defines two functions:
#   lantrel_build [ARGS...]   installs whatever is missing (tools/setup.sh), configures, and
#                             builds: cmake --build --preset mingw ARGS (e.g. --target benchmark)
#   lantrel_private_wine      a private Xvfb screen (LANTREL_SCREEN, default 1024x768x24) and a
#                             fresh prefix for what follows, Wine 10 with LANTREL_WINE=10
#                             (tools/wine-env.sh)
# lantrel_private_wine arms the EXIT trap before wine-env.sh starts anything, so that nothing it
# started outlives a failed step: lantrel_env_cleanup, then the tool's own lantrel_tool_cleanup
# if it defines one.

lantrel_build() {
  tools/setup.sh
  cmake --preset mingw >/dev/null
  cmake --build --preset mingw "$@"
}

lantrel_private_wine() {
  export LANTREL_OWN_XVFB=1
  unset WINEPREFIX LANTREL_PREFIX_FROM  # a fresh prefix, never a copy of one
  trap 'lantrel_env_cleanup; ! declare -F lantrel_tool_cleanup >/dev/null || lantrel_tool_cleanup' EXIT
  # shellcheck source=tools/wine-env.sh
  source tools/wine-env.sh
}
