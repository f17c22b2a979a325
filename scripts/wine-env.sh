# Sourced by the scripts that run Windows programs: a private Wine prefix and locale under
# build/, and a Chinese locale so that Wine's ANSI code page is 936 like the users' systems.
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export WINE_HOME="$root/build/wine"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LOCPATH="$WINE_HOME/locale"

# 32-bit Wine needs the kernel's 32-bit support, which some machines switch off. There the
# Windows tests run on an x86_64 build of the same code under 64-bit Wine (preset win64);
# the program itself is always the 32-bit build/win32/PsLangSwitch.exe.
if [ -z "${WINEARCH:-}" ]; then
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then WINEARCH=win32; else WINEARCH=win64; fi
fi
export WINEARCH
export WINEPREFIX="$WINE_HOME/prefix-$WINEARCH"
if [ "$WINEARCH" = win64 ]; then
  export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64
else
  export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver32
fi
# The build preset whose Windows executables this Wine runs.
export WINE_PRESET="$WINEARCH"

# Wine and its server run in the Chinese locale; the shell and the other tools keep their own.
# WINE_LOCALE (e.g. en_US.UTF-8) starts Wine programs in another locale, so another ANSI code
# page: each process takes it from its own locale, also under a server started in Chinese.
wine() {
  local locale="${WINE_LOCALE:-zh_CN.UTF-8}"
  LANG="$locale" LC_ALL="$locale" LANGUAGE= "$WINELOADER" "$@"
}
wineserver() { LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE= "$WINESERVER" "$@"; }
wineboot() { wine wineboot.exe "$@"; }

# Without the glibc locale Wine still reports code page 936 but garbles Chinese file names.
wine_ensure_locale() {
  local locale
  for locale in zh_CN.UTF-8 ${WINE_LOCALE:-}; do
    [ -d "$LOCPATH/$locale" ] && continue
    mkdir -p "$LOCPATH"
    localedef -i "${locale%.UTF-8}" -f UTF-8 "$LOCPATH/$locale" 2>/dev/null ||
      [ -d "$LOCPATH/$locale" ] || return 1
  done
}

# Creates the prefix once. Managed=N lets Wine draw the window frame itself, which also makes
# closing a window take milliseconds instead of seconds under a bare X server.
wine_ensure_prefix() {
  wine_ensure_locale
  mkdir -p "$WINE_HOME"
  (
    flock 9
    [ -f "$WINEPREFIX/.ready" ] && exit 0
    rm -rf "$WINEPREFIX"
    WINE_LOCALE= DISPLAY= wineboot -i </dev/null >/dev/null 2>&1
    WINE_LOCALE= wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.ready"
  ) 9>"$WINE_HOME/.lock"
}

# Wine's helper processes inherit the standard streams of the first Wine program; if that is a
# pipe (ctest, $(...)), its reader waits for them. Start them on /dev/null before anything else.
wine_start_server() {
  wine_ensure_prefix
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd.exe /c exit 0 </dev/null >/dev/null 2>&1 || true
}

wine_stop_server() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}

# PIDs of this prefix's Wine processes whose command line contains $1. Other builds on the same
# machine run Wine processes of the same names; the WINEPREFIX each inherited tells ours apart.
# (`wineserver -w` would be the natural wait, but the server that wine_start_server keeps up
# ends only when told to.)
wine_prefix_pids() {
  local pid
  for pid in $(pgrep -f -- "$1"); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
  return 0
}

# Wine's desktop process ends about a second after the last window; a program started meanwhile
# joins the dying desktop and loses its window with it. Waits up to 10 s for this prefix's one.
wine_wait_desktop_gone() {
  for _ in $(seq 200); do
    [ -z "$(wine_prefix_pids 'explorer.exe /desktop')" ] && return 0
    sleep 0.05
  done
  return 1
}

# Starts Xvfb on a free display unless one is set; XVFB_PID tells the caller what to stop.
XVFB_PID=""
xvfb_ensure() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}

xvfb_stop() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  XVFB_PID=""
}
