#!/usr/bin/env bash
# Source this file to get a private, deterministic Wine environment:
#   - a fresh WINEPREFIX (unless WINEPREFIX is already set and initialised),
#   - Wine drawing its own captions and menus (X11 Driver "Managed" = "N"),
#   - from Wine 10 on, no client-side graphics (X11 Driver "ClientSideGraphics" = "N"),
#   - the Wine fonts copied in so caption buttons show glyphs,
#   - an Xvfb display when there is none (or when LANTREL_OWN_XVFB=1),
#   - with LANTREL_WINE=10, Wine 10 and Xvfb from a Debian 13 root (tools/wine10.sh) first on PATH.
# It defines lantrel_env_cleanup, which stops the Xvfb it started.

lantrel_env_cleanup() {
  # Runs from EXIT traps of scripts under `set -e`: nothing here may fail the script.
  if [ -n "${LANTREL_XVFB_PID:-}" ]; then
    kill "$LANTREL_XVFB_PID" 2>/dev/null || true
    wait "$LANTREL_XVFB_PID" 2>/dev/null || true
    LANTREL_XVFB_PID=
  fi
  if [ -n "${LANTREL_PREFIX_TMP:-}" ]; then
    WINEPREFIX="$LANTREL_PREFIX_TMP" wineserver -k 2>/dev/null || true
    rm -rf "$LANTREL_PREFIX_TMP" || true
    LANTREL_PREFIX_TMP=
  fi
  return 0
}

lantrel_start_xvfb() {
  # Xvfb picks a free display itself and writes its number once it is ready (-displayfd), so
  # runs that start at the same moment on a shared machine never end up on one screen.
  local size=${LANTREL_SCREEN:-1024x768x24} numberFile n=
  numberFile=$(mktemp /tmp/lantrel-xvfb.XXXXXX)
  Xvfb -displayfd 3 -screen 0 "$size" -nolisten tcp -ac 3>"$numberFile" >/dev/null 2>&1 &
  LANTREL_XVFB_PID=$!
  for _ in $(seq 100); do
    n=$(tr -dc 0-9 <"$numberFile")
    [ -n "$n" ] && break
    kill -0 "$LANTREL_XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$numberFile"
  if [ -z "$n" ]; then
    kill "$LANTREL_XVFB_PID" 2>/dev/null
    LANTREL_XVFB_PID=
    echo "could not start Xvfb" >&2
    return 1
  fi
  export DISPLAY=":$n"
}

lantrel_wine_fonts=/usr/share/wine/fonts
case "${LANTREL_WINE:-}" in
  "" | 8) ;;
  10)
    PATH="$("$(dirname "${BASH_SOURCE[0]}")/wine10.sh" setup):$PATH" || return 1
    export PATH
    lantrel_wine_fonts=$("$(dirname "${BASH_SOURCE[0]}")/wine10.sh" root)/usr/share/wine/fonts
    ;;
  *) echo "LANTREL_WINE: 8 (the system's Wine) or 10" >&2; return 1 ;;
esac

if [ -z "${DISPLAY:-}" ] || [ "${LANTREL_OWN_XVFB:-0}" = 1 ]; then
  lantrel_start_xvfb || return 1
fi

if [ -z "${WINEPREFIX:-}" ]; then
  LANTREL_PREFIX_TMP=$(mktemp -d /tmp/lantrel-wine.XXXXXX)
  export WINEPREFIX="$LANTREL_PREFIX_TMP"
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -e "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
mkdir -p "$WINEPREFIX/drive_c/windows/Fonts"
cp -n "$lantrel_wine_fonts"/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /t REG_SZ /d N /f >/dev/null 2>&1
# Wine 10 shows a window through a fine window region (the meshed dialog) wrongly with its
# client-side graphics: most of the gaps black. The README's "Known platform issues" gives users
# the same setting.
case "$(wine --version 2>/dev/null)" in
  wine-[1-9][0-9]*)
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v ClientSideGraphics /t REG_SZ /d N /f \
      >/dev/null 2>&1
    ;;
esac
wineserver -w
