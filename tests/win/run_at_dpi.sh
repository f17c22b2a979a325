#!/usr/bin/env bash
# run_at_dpi.sh DPI PROGRAM [ARGUMENT...]: runs a Windows program under Wine on a display of DPI
# dots per inch. Wine reads the DPI (LogPixels) when its server starts, so this runs in a private
# copy of the project's prefix with a server of its own, which it stops again.
set -uo pipefail
source "$(dirname "$0")/../../scripts/wine-env.sh"
dpi="$1"
shift
wine_ensure_prefix
base="$WINEPREFIX"
export WINEPREFIX="$base-${dpi}dpi"
(
  flock 9
  [ -f "$WINEPREFIX/.ready" ] && exit 0
  rm -rf "$WINEPREFIX"
  cp -a "$base" "$WINEPREFIX"
  rm -f "$WINEPREFIX/.ready"
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
    </dev/null >/dev/null 2>&1
  wineserver -w
  touch "$WINEPREFIX/.ready"
) 9>"$WINEPREFIX.lock"
xvfb_ensure || exit 1
wine_start_server
wine "$@"
rc=$?
wine_stop_server
xvfb_stop
exit $rc
