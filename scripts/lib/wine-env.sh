# Shared by scripts/test and scripts/run: a Wine prefix of the project's own, an X display for it and
# one persistent wineserver. Source it, then call wine_env_start FLAVOUR PREFIX [fresh], later
# wine_env_stop. FLAVOUR is a build preset: mingw-i686 (a 32-bit prefix) or mingw-x86_64 (64-bit).
#
# The loader and server are called by path: Debian's /usr/bin/wine picks the 32-bit loader whenever
# it is installed, even on a host that cannot run it. TARVOLIN_WINE is the loader to use.

wine_env_log() { echo "wine-env: $*" >&2; }

# Starts Xvfb on a free display number and exports DISPLAY.
wine_env_start_xvfb() {
  local fdfile
  fdfile=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >/dev/null 2>&1 &
  WINE_ENV_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$fdfile" ] && break
    sleep 0.05
  done
  if [ ! -s "$fdfile" ]; then
    wine_env_log "Xvfb did not start"; rm -f "$fdfile"; return 1
  fi
  export DISPLAY=":$(head -n1 "$fdfile")"
  rm -f "$fdfile"
}

# Chooses the loader, the server and the prefix's kind for a flavour.
wine_env_flavour() {
  case "$1" in
    mingw-i686)
      export WINEARCH=win32 TARVOLIN_WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
      [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver64 ;;
    mingw-x86_64)
      export WINEARCH=win64 TARVOLIN_WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 ;;
    *) wine_env_log "unknown flavour $1"; return 1 ;;
  esac
  export WINELOADER=$TARVOLIN_WINE
}

# wine_env_start FLAVOUR PREFIX [fresh]: with "fresh" the prefix is made anew.
wine_env_start() {
  local prefix=$2 fresh=${3:-}
  wine_env_flavour "$1" || return 1
  export WINEPREFIX=$prefix WINEDEBUG=-all
  # No Mono or Gecko install prompts in a prefix that never needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_ENV_XVFB_PID=
  if [ -z "${DISPLAY:-}" ] || [ "$fresh" = fresh ]; then
    wine_env_start_xvfb || return 1
  fi
  if [ "$fresh" = fresh ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
    rm -rf "$prefix"
  fi
  if [ ! -f "$prefix/system.reg" ]; then
    wine_env_log "creating Wine prefix $prefix"
    mkdir -p "$(dirname "$prefix")"
    "$TARVOLIN_WINE" wineboot -i >/dev/null 2>&1 </dev/null
    "$WINESERVER" -w
  fi
  # On our own virtual display there is no window manager, and hiding a window managed by none
  # costs two seconds; on a real desktop the window manager should manage Wine's windows.
  if [ -n "$WINE_ENV_XVFB_PID" ]; then
    "$TARVOLIN_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    "$TARVOLIN_WINE" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
  # SimSun, the Chinese font Windows has, is not on this host: a Song-style font with the same
  # 12-pixel metrics stands in for it.
  "$TARVOLIN_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
  "$TARVOLIN_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
  "$WINESERVER" -w
  # One server for the whole run; its output must not hold the caller's pipes open.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-
  "$TARVOLIN_WINE" wineboot </dev/null >/dev/null 2>&1
  export TARVOLIN_WINE_READY=1
}

wine_env_stop() {
  if [ -n "${WINEPREFIX:-}" ] && [ -n "${WINESERVER:-}" ]; then
    "$WINESERVER" -k >/dev/null 2>&1 || true
    "$WINESERVER" -w >/dev/null 2>&1 || true
  fi
  if [ -n "${WINE_ENV_XVFB_PID:-}" ]; then
    kill "$WINE_ENV_XVFB_PID" 2>/dev/null || true
    wait "$WINE_ENV_XVFB_PID" 2>/dev/null || true
  fi
  unset WINEPREFIX TARVOLIN_WINE_READY
  WINE_ENV_XVFB_PID=
}
