#!/usr/bin/env bash
# `make run`: builds the program and starts it under Wine in the demo sandbox build/sandbox.
# Drag build/sandbox/Photoshop/Photoshop.exe onto the window to set it up, then switch.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/bootstrap.sh
source scripts/wine-env.sh
source scripts/sandbox.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target PsLangSwitch
exe=build/win32/PsLangSwitch.exe
if [ "$WINE_PRESET" != win32 ]; then
  echo "This machine runs no 32-bit Wine: showing the same program built for x64 instead."
  cmake --preset "$WINE_PRESET" >/dev/null
  cmake --build --preset "$WINE_PRESET" --target PsLangSwitch
  exe="build/$WINE_PRESET/PsLangSwitch.exe"
fi
make_sandbox "$root/build/sandbox" "$exe"

headless=""
if [ -z "${DISPLAY:-}" ]; then
  xvfb_ensure
  headless=1
  echo "No display: running on a virtual one ($DISPLAY); a screenshot goes to build/run.png."
fi
wine_start_server
echo "Sandbox: build/sandbox (drag build/sandbox/Photoshop/Photoshop.exe onto the window)."
cleanup() {
  pkill -P "$pid" 2>/dev/null || true
  wine_stop_server
  xvfb_stop
}
cd build/sandbox/PsLangSwitch
wine PsLangSwitch.exe </dev/null >/dev/null 2>&1 &
pid=$!
trap cleanup EXIT
trap 'exit 130' INT TERM
if [ -n "$headless" ]; then
  # The screenshot once the window is shown and painted: two captures of it in a row agree.
  window=$(timeout 20 xdotool search --sync --onlyvisible --class pslangswitch.exe 2>/dev/null | head -n1)
  previous=""
  for _ in $(seq 50); do
    [ -n "$window" ] || break
    now=$(import -window "$window" -format '%#' info: 2>/dev/null) || break
    [ "$now" = "$previous" ] && break
    previous=$now
    sleep 0.05
  done
  import -window root "$root/build/run.png" 2>/dev/null || true
  echo "Close it with Ctrl+C."
fi
wait $pid || true
