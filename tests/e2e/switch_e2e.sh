#!/usr/bin/env bash
# The real program under Wine: the yellow drop area in set-up mode, then a set-up sandbox where
# the mouse switches Photoshop to English and back, and Esc ends the program with code 0.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
exe="$1"
sandbox="$e2e_root/build/e2e/switch"
rm -rf "$sandbox"
make_sandbox "$sandbox" "$exe"
language="$sandbox/Photoshop/Locales/zh_CN/Support Files/tw10428.dat"
e2e_start

# Set-up mode: only the drop area, filled light yellow.
start_program "$sandbox"
screenshot setup-mode
window_position
[ "$(pixel "$SHOTS/setup-mode-screen.png" $((WIN_X + 196)) $((WIN_Y + 160)))" = "$YELLOW" ] ||
  fail "the inside of the drop area is not light yellow"
client_origin_from "$SHOTS/setup-mode-screen.png"
[ "$(region_colours "$SHOTS/setup-mode-screen.png" 96 144 192 40)" -eq 1 ] ||
  fail "something is drawn over the drop area in set-up mode"
close_with_escape

# Set up as a successful drop leaves it: the path file and the backup beside the program.
windows_path="Z:${language//\//\\}"
printf '%s' "$windows_path" >"$sandbox/PsLangSwitch/储存路径.pp"
cp "$language" "$sandbox/PsLangSwitch/文件备份.pp"

start_program "$sandbox"
screenshot switch-mode
click_client 192 164  # 切换到英文版
wait_for test ! -e "$language" || fail "switching to English did not delete the language file"
click_client 192 92   # 切换到中文版
wait_for test -e "$language" || fail "switching to Chinese did not restore the language file"
cmp -s "$language" "$sandbox/PsLangSwitch/文件备份.pp" || fail "the restored file differs"
close_with_escape
echo "switch end to end: ok"
