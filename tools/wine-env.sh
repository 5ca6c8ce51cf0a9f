#!/usr/bin/env bash
# Source this file to get a private, deterministic Wine environment:
#   - a fresh WINEPREFIX (unless WINEPREFIX is already set and initialised); with
#     LANTREL_PREFIX_FROM=DIR, a temporary copy of the initialised prefix DIR instead,
#   - Wine drawing its own captions and menus (X11 Driver "Managed" = "N"),
#   - from Wine 10 on, no client-side graphics (X11 Driver "ClientSideGraphics" = "N"),
#   - the Wine fonts copied in so caption buttons show glyphs,
#   - an Xvfb display when there is none (or when LANTREL_OWN_XVFB=1),
#   - with LANTREL_WINE=10, Wine 10 and Xvfb from a Debian 13 root (tools/wine10.sh) first on PATH.
# It defines lantrel_env_cleanup, which stops the Xvfb it started and the wineserver of the
# temporary prefix it made, and removes that prefix.  A script sets its trap before sourcing:
#   trap lantrel_env_cleanup EXIT
#   source tools/wine-env.sh
# so that whatever step fails, nothing it started is left behind.  A step that fails says
# which it was ("wine-env.sh: STEP failed (exit status N)", then what it printed last), and
# the source returns that status.

lantrel_env_cleanup() {
  # Runs from EXIT traps of scripts under `set -e`: nothing here may fail the script.
  if [ -n "${LANTREL_XVFB_PID:-}" ]; then
    kill "$LANTREL_XVFB_PID" 2>/dev/null || true
    wait "$LANTREL_XVFB_PID" 2>/dev/null || true
    LANTREL_XVFB_PID=
  fi
  if [ -n "${LANTREL_PREFIX_TMP:-}" ]; then
    WINEPREFIX="$LANTREL_PREFIX_TMP" wineserver -k 2>/dev/null || true
    lantrel_remove_server_dir "$LANTREL_PREFIX_TMP" || true
    rm -rf "$LANTREL_PREFIX_TMP" || true
    LANTREL_PREFIX_TMP=
  fi
  return 0
}

# Removes what the ended wineserver of a prefix left in /tmp: Debian's Wine keeps a server's
# socket and lock in server-DEV-INODE (the prefix's device and inode, in hexadecimal) inside a
# directory of its own, which the prefix's file "wineserver" names (upstream Wine: /tmp/.wine-UID),
# and leaves both behind.  That directory itself goes too when this prefix named it first (a
# copied prefix names its original's, which other copies may still use) and it is empty.
lantrel_remove_server_dir() {
  local prefix=$1 name root id
  id=$(stat -c '%d %i' "$prefix" 2>/dev/null) || return 0
  # shellcheck disable=SC2086  # two numbers
  id=$(printf '%x-%x' $id)
  name=$(cat "$prefix/wineserver" 2>/dev/null) || name=
  if [[ "$name" =~ ^wine-[A-Za-z0-9]+$ ]]; then
    root=/tmp/$name
  else
    root=/tmp/.wine-$(id -u)
  fi
  [ -d "$root/server-$id" ] && [ -O "$root/server-$id" ] && rm -rf "${root:?}/server-$id"
  if [ "$root" = "/tmp/$name" ] && [ -z "${LANTREL_PREFIX_FROM:-}" ]; then
    rmdir "$root" 2>/dev/null
  fi
  return 0
}

# lantrel_step NAME COMMAND [ARGS...]: runs one step of the set-up with its output kept aside;
# if it fails, says so on stderr with its exit status and the last lines it printed.
lantrel_step() {
  local name=$1 log status=0
  shift
  log=$(mktemp /tmp/lantrel-step.XXXXXX) || {
    echo "wine-env.sh: $name: no temporary file for its output" >&2
    return 1
  }
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    echo "wine-env.sh: $name failed (exit status $status)" >&2
    tail -n 20 "$log" | sed 's/^/  | /' >&2
  fi
  rm -f "$log"
  return "$status"
}

lantrel_start_xvfb() {
  # Xvfb picks a free display itself and writes its number once it is ready (-displayfd), so
  # runs that start at the same moment on a shared machine never end up on one screen.
  local size=${LANTREL_SCREEN:-1024x768x24} numberFile n='' log
  numberFile=$(mktemp /tmp/lantrel-xvfb.XXXXXX) || return 1
  log=$(mktemp /tmp/lantrel-xvfb-log.XXXXXX) || { rm -f "$numberFile"; return 1; }
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -ac 3>"$numberFile" >"$log" 2>&1 &
  LANTREL_XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(tr -dc 0-9 <"$numberFile")
    [ -n "$n" ] && break
    kill -0 "$LANTREL_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  if [ -z "$n" ]; then
    local status=0
    kill "$LANTREL_XVFB_PID" 2>/dev/null
    wait "$LANTREL_XVFB_PID" 2>/dev/null || status=$?
    LANTREL_XVFB_PID=
    echo "wine-env.sh: starting Xvfb ($size) failed (exit status $status, or no display" \
      "number within 10 s)" >&2
    tail -n 20 "$log" | sed 's/^/  | /' >&2
    rm -f "$log"
    return 1
  fi
  rm -f "$log"
  export DISPLAY=":$n"
}

# Copies the Wine fonts the prefix lacks (cp -n fails on files it skips in some coreutils).
lantrel_copy_fonts() {
  local font
  mkdir -p "$WINEPREFIX/drive_c/windows/Fonts" || return
  for font in "$lantrel_wine_fonts"/*.ttf; do
    [ -e "$WINEPREFIX/drive_c/windows/Fonts/${font##*/}" ] && continue
    cp "$font" "$WINEPREFIX/drive_c/windows/Fonts/" || return
  done
}

lantrel_env_setup() {
  local bin
  lantrel_wine_fonts=/usr/share/wine/fonts
  case "${LANTREL_WINE:-}" in
    "" | 8) ;;
    10)
      bin=$("$(dirname "${BASH_SOURCE[0]}")/wine10.sh" setup) || {
        echo "wine-env.sh: setting up Wine 10 (tools/wine10.sh setup) failed (exit status $?)" >&2
        return 1
      }
      export PATH="$bin:$PATH"
      lantrel_wine_fonts=$("$(dirname "${BASH_SOURCE[0]}")/wine10.sh" root)/usr/share/wine/fonts
      ;;
    *) echo "wine-env.sh: LANTREL_WINE: 8 (the system's Wine) or 10" >&2; return 1 ;;
  esac

  if [ -z "${DISPLAY:-}" ] || [ "${LANTREL_OWN_XVFB:-0}" = 1 ]; then
    lantrel_start_xvfb || return
  fi

  if [ -n "${LANTREL_PREFIX_FROM:-}" ]; then
    # Its registry is on disk once its server has ended.
    lantrel_step "waiting for the wineserver of $LANTREL_PREFIX_FROM" \
      env WINEPREFIX="$LANTREL_PREFIX_FROM" wineserver -w || return
    LANTREL_PREFIX_TMP=$(mktemp -d /tmp/lantrel-wine.XXXXXX) || return
    export WINEPREFIX="$LANTREL_PREFIX_TMP"
    lantrel_step "copying the prefix $LANTREL_PREFIX_FROM" \
      cp -a "$LANTREL_PREFIX_FROM/." "$WINEPREFIX/" || return
  elif [ -z "${WINEPREFIX:-}" ]; then
    LANTREL_PREFIX_TMP=$(mktemp -d /tmp/lantrel-wine.XXXXXX) || return
    export WINEPREFIX="$LANTREL_PREFIX_TMP"
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
  if [ ! -e "$WINEPREFIX/system.reg" ]; then
    lantrel_step "making the prefix (wineboot -i)" wineboot -i || return
    lantrel_step "waiting for wineboot's wineserver" wineserver -w || return
  fi
  lantrel_step "copying the Wine fonts" lantrel_copy_fonts || return
  lantrel_step "setting X11 Driver Managed" \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f || return
  lantrel_step "setting X11 Driver Decorated" \
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f || return
  # Wine 10 shows a window through a fine window region (the meshed dialog) wrongly with its
  # client-side graphics: most of the gaps black. The README's "Known platform issues" gives
  # users the same setting.
  case "$(wine --version 2>/dev/null)" in
    wine-[1-9][0-9]*)
      lantrel_step "setting X11 Driver ClientSideGraphics" \
        wine reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /t REG_SZ /d N /f ||
        return
      ;;
  esac
  lantrel_step "waiting for the wineserver after the settings" wineserver -w
}

lantrel_env_setup || return
