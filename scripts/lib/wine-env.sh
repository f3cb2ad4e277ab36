# Shared by scripts/test, scripts/run, scripts/release and scripts/bench: a Wine prefix of the
# project's own, an X display for it and one persistent wineserver. Source it, then call
# wine_env_start SYSTEM PREFIX [fresh], later wine_env_stop. SYSTEM is the Windows the prefix stands
# for (see wine_env_system); wine_env_system_of FLAVOUR names the one a flavour's users run it on.
#
# The loaders and servers are called by path: Debian's /usr/bin/wine picks the 32-bit loader whenever
# it is installed, even on a host that cannot run it. TARVOLIN_WINE is the loader that runs the
# flavour's programs (scripts/wine-run, CTest's emulator, uses it).

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

# wine_env_system SYSTEM: the loaders, the server and the prefix's kind for one of
#   win64  64-bit Windows running the 64-bit flavour;
#   wow64  64-bit Windows running the 32-bit flavour, as most of its users run it: the prefix is
#          made by the 64-bit loader and served by the 64-bit server, and the 32-bit loader
#          (wine32:i386) runs the programs under WoW64, with the second registry view and the
#          redirected system folder. WINEARCH=win64 makes that loader stop at once in a 32-bit
#          prefix ("WINEARCH set to win64 but ... is a 32-bit installation") instead of passing for
#          WoW64;
#   win32  32-bit Windows (a WINEARCH=win32 prefix) running the 32-bit flavour.
# WINE_ENV_SETUP_WINE is the loader that makes and sets up the prefix.
wine_env_system() {
  case "$1" in
    win64)
      export WINEARCH=win64 TARVOLIN_WINE=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
      WINE_ENV_SETUP_WINE=/usr/lib/wine/wine64 ;;
    wow64)
      export WINEARCH=win64 TARVOLIN_WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver64
      WINE_ENV_SETUP_WINE=/usr/lib/wine/wine64 ;;
    win32)
      export WINEARCH=win32 TARVOLIN_WINE=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
      [ -x "$WINESERVER" ] || WINESERVER=/usr/lib/wine/wineserver64
      WINE_ENV_SETUP_WINE=/usr/lib/wine/wine ;;
    *) wine_env_log "unknown system $1"; return 1 ;;
  esac
  # Wine 8 sets it again from the loader it runs; for the older ones that read it.
  export WINELOADER=$TARVOLIN_WINE
  local program
  for program in "$TARVOLIN_WINE" "$WINE_ENV_SETUP_WINE" "$WINESERVER"; do
    [ -x "$program" ] || { wine_env_log "$program is missing (scripts/setup installs it)"; return 1; }
  done
}

# The system a flavour's users run it on, as wine_env_system names it: the 32-bit flavour on 64-bit
# Windows, the 64-bit flavour natively.
wine_env_system_of() {
  case "$1" in
    mingw-i686) echo wow64 ;;
    mingw-x86_64) echo win64 ;;
    *) wine_env_log "unknown flavour $1"; return 1 ;;
  esac
}

# Runs a command of the prefix's set-up. The prefix comes out the same whatever the caller's
# language, and the font names below reach Wine as UTF-8; the tests choose their own language and
# code page (tests/CMakeLists.txt), so LC_ALL is never exported.
wine_env_setup() {
  LC_ALL=C.UTF-8 "$WINE_ENV_SETUP_WINE" "$@"
}

# wine_env_start SYSTEM PREFIX [fresh]: with "fresh" the prefix is made anew, as it is when it was
# made for another kind of system (its system.reg names the kind on its "#arch=" line).
wine_env_start() {
  local prefix=$2 fresh=${3:-}
  wine_env_system "$1" || return 1
  export WINEPREFIX=$prefix WINEDEBUG=-all
  # No Mono or Gecko install prompts in a prefix that never needs them.
  export WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "$fresh" ] && [ -f "$prefix/system.reg" ] && ! grep -qx "#arch=$WINEARCH" "$prefix/system.reg"; then
    wine_env_log "$prefix was made for another system than $1: making it anew"
    fresh=fresh
  fi
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
    wine_env_log "creating Wine prefix $prefix ($1)"
    mkdir -p "$(dirname "$prefix")"
    wine_env_setup wineboot -i >/dev/null 2>&1 </dev/null
    "$WINESERVER" -w
  fi
  # On our own virtual display there is no window manager, and hiding a window managed by none
  # costs two seconds; on a real desktop the window manager should manage Wine's windows.
  if [ -n "$WINE_ENV_XVFB_PID" ]; then
    wine_env_setup reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
  else
    wine_env_setup reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  fi
  # SimSun, the Chinese font Windows has, is not on this host: a Song-style font with the same
  # 12-pixel metrics stands in for it.
  wine_env_setup reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
  wine_env_setup reg add 'HKCU\Software\Wine\Fonts\Replacements' /v '宋体' /t REG_SZ /d 'AR PL UMing CN' /f >/dev/null 2>&1
  "$WINESERVER" -w
  # One server for the whole run; its output must not hold the caller's pipes open.
  "$WINESERVER" -p </dev/null >/dev/null 2>&1 3>&- 4>&- 5>&- 6>&- 7>&- 8>&- 9>&-
  wine_env_setup wineboot </dev/null >/dev/null 2>&1
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
