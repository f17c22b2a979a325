#!/usr/bin/env bash
# A Photoshop of the last years keeps its Chinese file as tw10428_Photoshop_zh_CN.dat: a real
# drag of its Photoshop.exe sets the program up, "切换到英文版" removes that file and
# "切换到中文版" brings it back byte for byte.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
exe="$1" drag_source="$2"
sandbox="$e2e_root/build/e2e/photoshop2024"
program_dir="$sandbox/PsLangSwitch"
install="$sandbox/Adobe/Adobe Photoshop 2024"
language="$install/Locales/zh_CN/Support Files/tw10428_Photoshop_zh_CN.dat"
e2e_start

rm -rf "$sandbox"
mkdir -p "$program_dir" "$(dirname "$language")"
cp "$exe" "$program_dir/PsLangSwitch.exe"
printf 'stand-in for Photoshop.exe\r\n' >"$install/Photoshop.exe"
head -c 65536 /dev/urandom >"$language"
cp "$language" "$sandbox/original.dat"

start_program "$sandbox"
screenshot photoshop2024-before
client_origin_from "$SHOTS/photoshop2024-before-screen.png"
drag_files "$drag_source" $((CLIENT_X + 192)) $((CLIENT_Y + 140)) "$(windows_path "$install/Photoshop.exe")"
wait "$DRAG_PID" || true
wait_for test -e "$program_dir/文件备份.pp" || fail "the drop did not set the program up"
[ "$(cat "$program_dir/储存路径.pp")" = "$(windows_path "$language")" ] ||
  fail "the path file holds '$(cat "$program_dir/储存路径.pp")'"
sleep 0.5
click_client 192 164  # 切换到英文版
wait_for test ! -e "$language" || fail "switching to English did not remove the 2024 language file"
click_client 192 92   # 切换到中文版
wait_for test -e "$language" || fail "switching to Chinese did not restore the 2024 language file"
cmp -s "$language" "$sandbox/original.dat" || fail "the restored file differs from the original"
close_with_escape
echo "Photoshop 2024 end to end: ok"
