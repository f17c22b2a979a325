#!/usr/bin/env bash
# Set-up by a real OLE drag from another process onto the real program under Wine: the stand-in
# Photoshop.exe sets it up; any other file brings up the error box and writes nothing.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
exe="$1" drag_source="$2"
sandbox="$e2e_root/build/e2e/drop"
program_dir="$sandbox/PsLangSwitch"
language="$sandbox/Photoshop/Locales/zh_CN/Support Files/tw10428.dat"
e2e_start

# A wrong file: the first message, and no state file.
rm -rf "$sandbox"
make_sandbox "$sandbox" "$exe"
printf 'not Photoshop\r\n' >"$sandbox/Photoshop/readme.txt"
start_program "$sandbox"
screenshot drop-before
client_origin_from "$SHOTS/drop-before-screen.png"
drag_files "$drag_source" $((CLIENT_X + 192)) $((CLIENT_Y + 140)) \
  "$(windows_path "$sandbox/Photoshop/readme.txt")"
wait_for eval 'box=$(xdotool search --onlyvisible --name "^错误$" 2>/dev/null | head -n1); [ -n "$box" ]' ||
  fail "no error box after dropping another file"
screenshot drop-refused
[ ! -e "$program_dir/储存路径.pp" ] && [ ! -e "$program_dir/文件备份.pp" ] ||
  fail "a refused drop wrote a state file"
xdotool key --window "$box" Return 2>/dev/null
wait "$DRAG_PID" || true
close_with_escape

# The stand-in Photoshop.exe: both state files, and the window now offers the two switches.
rm -rf "$sandbox"
make_sandbox "$sandbox" "$exe"
start_program "$sandbox"
drag_files "$drag_source" $((CLIENT_X + 192)) $((CLIENT_Y + 140)) \
  "$(windows_path "$sandbox/Photoshop/Photoshop.exe")"
wait "$DRAG_PID" || true
wait_for test -e "$program_dir/文件备份.pp" || fail "the drop did not set the program up"
[ "$(cat "$program_dir/储存路径.pp")" = "$(windows_path "$language")" ] ||
  fail "the path file holds '$(cat "$program_dir/储存路径.pp")'"
cmp -s "$language" "$program_dir/文件备份.pp" || fail "the backup differs from the language file"
# The drop area gives way to the buttons once the state files are written.
wait_for eval '[ "$(screen_pixel $((CLIENT_X + 192)) $((CLIENT_Y + 130)))" != "$YELLOW" ]'
wait_painted
screenshot drop-accepted
[ "$(pixel "$SHOTS/drop-accepted-screen.png" $((CLIENT_X + 192)) $((CLIENT_Y + 130)))" != "$YELLOW" ] ||
  fail "the drop area is still shown after set-up"
for top in 72 144; do
  [ "$(region_colours "$SHOTS/drop-accepted-screen.png" 96 "$top" 192 40)" -gt 2 ] ||
    fail "the switch buttons are not shown after set-up"
done
close_with_escape
echo "drop end to end: ok"
