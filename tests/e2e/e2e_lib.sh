# Sourced by the end-to-end tests: run the real PsLangSwitch.exe under Wine and Xvfb in a sandbox
# and drive it with xdotool, as a user would.
e2e_root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
source "$e2e_root/scripts/wine-env.sh"
source "$e2e_root/scripts/sandbox.sh"
SHOTS="$e2e_root/build/screenshots"
YELLOW="srgb(255,255,162)"
PROGRAM_PID="" PROGRAM_WINDOW=""

fail() { echo "FAIL: $*" >&2; exit 1; }

# Waits up to 10 s for a command to succeed.
wait_for() {
  for _ in $(seq 100); do "$@" && return 0; sleep 0.1; done
  return 1
}

# start_program SANDBOX: starts the program from its sandbox folder, waits for its window.
start_program() {
  (cd "$1/PsLangSwitch" && wine PsLangSwitch.exe </dev/null >/dev/null 2>&1) &
  PROGRAM_PID=$!
  wait_for eval 'PROGRAM_WINDOW=$(xdotool search --onlyvisible --class pslangswitch.exe 2>/dev/null | head -n1); [ -n "$PROGRAM_WINDOW" ]' ||
    fail "the program's window did not appear"
  wait_painted || fail "the program's window did not settle"
}

# Wine maps the window before it paints it: waits until two captures in a row agree (about
# 0.4 s, where a fixed pause had to allow for the slowest run).
wait_painted() {
  local previous="" now
  for _ in $(seq 50); do
    now=$(import -window "$PROGRAM_WINDOW" -format '%k %#' info: 2>/dev/null) || now=""
    [ -n "$now" ] && [ "${now%% *}" -gt 1 ] && [ "$now" = "$previous" ] && return 0
    previous=$now
    sleep 0.05
  done
  return 1
}

# Closes the program with Esc and checks that it ends with exit code 0.
close_with_escape() {
  xdotool key --window "$PROGRAM_WINDOW" Escape 2>/dev/null || true
  local rc=0
  wait "$PROGRAM_PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "exit code $rc after Esc"
  PROGRAM_PID=""
  # Only this prefix's desktop: other builds on the machine run Wine desktops of their own.
  wine_wait_desktop_gone || fail "Wine's desktop did not end"
}

# Outer rectangle of the program's window on the screen: sets WIN_X WIN_Y.
window_position() {
  eval "$(xdotool getwindowgeometry --shell "$PROGRAM_WINDOW" | sed -n 's/^X=/WIN_X=/p; s/^Y=/WIN_Y=/p')"
}

pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }
# screen_pixel X Y: the colour on the screen now, without a screenshot file.
screen_pixel() { import -window root -crop "1x1+$1+$2" -format '%[pixel:p{0,0}]' info: 2>/dev/null; }

# Number of colours in a rectangle of the client area: 1 for a plain fill, more where a control
# with a caption is drawn. region_colours SHOT X Y WIDTH HEIGHT
region_colours() {
  convert "$1" -crop "$4x$5+$((CLIENT_X + $2))+$((CLIENT_Y + $3))" +repage -format %k info:
}

# screenshot NAME: the whole screen to $SHOTS/NAME-screen.png, the window alone to $SHOTS/NAME.png.
screenshot() {
  mkdir -p "$SHOTS"
  import -window root "$SHOTS/$1-screen.png"
  window_position
  convert "$SHOTS/$1-screen.png" -crop "392x302+$WIN_X+$WIN_Y" +repage "$SHOTS/$1.png"
}

# Top-left of the client area on the screen, from the yellow group box at client (16, 24):
# sets CLIENT_X CLIENT_Y. Wine draws the frame itself, so its size is not known in advance.
client_origin_from() {
  local box
  box=$(convert "$1" -fill black +opaque "$YELLOW" -trim -format '%X %Y' info:)
  read -r CLIENT_X CLIENT_Y <<<"${box//+/}"
  CLIENT_X=$((CLIENT_X - 16)) CLIENT_Y=$((CLIENT_Y - 24))
}

click_client() {
  xdotool mousemove "$((CLIENT_X + $1))" "$((CLIENT_Y + $2))" click 1
}

e2e_start() {
  xvfb_ensure || fail "no X display"
  wine_start_server
  trap 'e2e_cleanup' EXIT
}

e2e_cleanup() {
  [ -n "$PROGRAM_PID" ] && pkill -P "$PROGRAM_PID" 2>/dev/null
  xvfb_stop
}

# Windows name (drive Z:) of a Linux path.
windows_path() { local p="$1"; printf 'Z:%s' "${p//\//\\}"; }

# drag_files SOURCE_EXE TARGET_X TARGET_Y PATH...: our drag source offers PATH... as a shell file
# drag; the mouse drags from its window to the screen point TARGET_X TARGET_Y and drops. Sets
# DRAG_PID; the source exits once the drop is done.
drag_files() {
  local source="$1" tx="$2" ty="$3" sx sy w
  shift 3
  wine "$source" --x 0 --y 0 "$@" </dev/null >/dev/null 2>&1 &
  DRAG_PID=$!
  wait_for eval 'w=$(xdotool search --onlyvisible --name "^drag-source$" 2>/dev/null | head -n1); [ -n "$w" ]' ||
    fail "the drag source's window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$w")"
  sx=$((X + WIDTH / 2)) sy=$((Y + HEIGHT / 2))
  xdotool mousemove "$sx" "$sy" sleep 0.05 mousedown 1 sleep 0.05
  for f in 1 2 3 4 5; do
    xdotool mousemove $((sx + (tx - sx) * f / 5)) $((sy + (ty - sy) * f / 5)) sleep 0.05
  done
  xdotool mouseup 1
}
