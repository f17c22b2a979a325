# Sourced. make_sandbox DIR lays out a place to try the program without a real Photoshop:
#   DIR/PsLangSwitch/PsLangSwitch.exe   a copy of the program (its settings land beside it)
#   DIR/Photoshop/Photoshop.exe         a stand-in executable (a few bytes, not a program)
#   DIR/Photoshop/Locales/zh_CN/Support Files/tw10428.dat   a stand-in language file of our own
make_sandbox() {
  local dir="$1" exe="$2"
  mkdir -p "$dir/PsLangSwitch" "$dir/Photoshop/Locales/zh_CN/Support Files"
  cp "$exe" "$dir/PsLangSwitch/PsLangSwitch.exe"
  [ -f "$dir/Photoshop/Photoshop.exe" ] || printf 'stand-in for Photoshop.exe\r\n' >"$dir/Photoshop/Photoshop.exe"
  local language="$dir/Photoshop/Locales/zh_CN/Support Files/tw10428.dat"
  [ -f "$language" ] || [ -f "$dir/PsLangSwitch/文件备份.pp" ] ||
    printf 'PsLangSwitch demo language file\r\n\x00\x1a\xff\xfe end\r\n' >"$language"
}
