#!/usr/bin/env bash
# The program started for one elevated switch (--switch-to-english / --switch-to-chinese), as
# its own process in a sandbox: it shows no window, does exactly that switch on the stored path
# and says how it went in its exit code; anything it must not act on it leaves untouched. The
# same run, killed half-way through a restore, leaves the language file absent or whole.
set -uo pipefail
source "$(dirname "$0")/e2e_lib.sh"
exe="$1" waiter="$2"
sandbox="$e2e_root/build/e2e/elevated"
program_dir="$sandbox/PsLangSwitch"
install="$sandbox/Photoshop"
support="$install/Locales/zh_CN/Support Files"
language="$support/tw10428.dat"
e2e_start

# A set-up sandbox, as a successful drop leaves it.
fresh_sandbox() {
  rm -rf "$sandbox"
  make_sandbox "$sandbox" "$exe"
  windows_path "$language" >"$program_dir/储存路径.pp"
  cp "$language" "$program_dir/文件备份.pp"
}

# Starts a Windows program in the background as the process $! itself, so that it can be
# waited for and killed directly. start_in FOLDER PROGRAM ARGUMENTS...
start_in() {
  local folder="$1"
  shift
  (cd "$folder" && LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE= exec "$WINELOADER" "$@" \
    </dev/null >/dev/null 2>&1) &
}

# elevated ARGUMENT: runs the switch, fails the test if a window of it shows up; sets RC.
elevated() {
  start_in "$program_dir" PsLangSwitch.exe "$1"
  local pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    [ -z "$(xdotool search --onlyvisible --class pslangswitch.exe 2>/dev/null)" ] ||
      fail "the elevated run $1 showed a window"
    sleep 0.05
  done
  RC=0
  wait "$pid" || RC=$?
}

expect_code() {  # expect_code CODE WHAT
  [ "$RC" -eq "$1" ] || fail "$2: exit code $RC, expected $1"
}

# Both switches do their work and end with 0.
fresh_sandbox
elevated --switch-to-english
expect_code 0 "switch to English"
[ ! -e "$language" ] || fail "the elevated switch to English left the language file"
elevated --switch-to-chinese
expect_code 0 "switch to Chinese"
cmp -s "$language" "$program_dir/文件备份.pp" || fail "the elevated restore differs from the backup"

# What it refuses, each with its own code, changing nothing.
snapshot() { (cd "$sandbox" && find . -type f -exec md5sum {} + | sort); }
refuse() {  # refuse CODE WHAT ARGUMENT
  local before
  before=$(snapshot)
  elevated "$3"
  expect_code "$1" "$2"
  [ "$(snapshot)" = "$before" ] || fail "$2 changed files"
}
fresh_sandbox
printf 'C:\\Windows\\win.ini' >"$program_dir/储存路径.pp"
refuse 2 "a stored path outside the known locations" --switch-to-english
fresh_sandbox
rm "$install/Photoshop.exe"
refuse 4 "no Photoshop.exe above the language file" --switch-to-english
fresh_sandbox
rm "$program_dir/文件备份.pp" "$language"
refuse 3 "a missing backup" --switch-to-chinese
fresh_sandbox
cp "$waiter" "$install/Photoshop.exe"
start_in "$install" Photoshop.exe
photoshop=$!
# Running as a Windows process once Wine's loader has taken the program's name.
wait_for grep -q Photoshop.exe "/proc/$photoshop/cmdline" || fail "the stand-in Photoshop did not start"
refuse 5 "a running Photoshop" --switch-to-english
refuse 5 "a running Photoshop" --switch-to-chinese
kill "$photoshop" 2>/dev/null
wait "$photoshop" 2>/dev/null

# Leftover temporary files of an interrupted run go the next time the folders are touched.
fresh_sandbox
printf 'cut short' >"$support/PsLangSwitch.tmp"
printf 'cut short' >"$program_dir/PsLangSwitch.tmp"
elevated --switch-to-english
expect_code 0 "switch to English with leftovers"
[ ! -e "$support/PsLangSwitch.tmp" ] && [ ! -e "$program_dir/PsLangSwitch.tmp" ] ||
  fail "a leftover temporary file was not removed"

# Killed at several moments of restoring a big file: never a cut language file.
fresh_sandbox
head -c $((200 << 20)) /dev/urandom >"$program_dir/文件备份.pp"
rm -f "$language"
for delay in 0.2 0.5 1 1.5 2.5; do
  start_in "$program_dir" PsLangSwitch.exe --switch-to-chinese
  pid=$!
  sleep "$delay"
  kill -9 "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  if [ -e "$language" ]; then
    cmp -s "$language" "$program_dir/文件备份.pp" || fail "a restore killed after ${delay}s left a cut language file"
    rm -f "$language"
  fi
done

# A language file far beyond what a 32-bit process could hold in memory switches both ways.
fresh_sandbox
rm -f "$language" "$program_dir/文件备份.pp"
truncate -s 750M "$language"
cp --sparse=always "$language" "$program_dir/文件备份.pp"
elevated --switch-to-english
expect_code 0 "switching a 750 MB language file to English"
elevated --switch-to-chinese
expect_code 0 "switching a 750 MB language file to Chinese"
[ "$(stat -c %s "$language")" -eq $((750 << 20)) ] || fail "the 750 MB restore has the wrong size"
rm -rf "$sandbox"
echo "elevated run end to end: ok"
