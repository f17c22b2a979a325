#!/usr/bin/env bash
# Runs a Windows test program under Wine as an unprivileged user, for the tests that root cannot
# run: as root, Wine lets a read-only file be opened for writing. The system user
# pslangswitch-test gets its own copy of the booted prefix (build/wine/user-<arch>/) and its own
# Wine server, stopped at the end. No display: these tests open no window.
# Usage: wine-as-user.sh REPORT.xml PROGRAM.exe [ARGUMENTS...]; the gtest report ends up in REPORT.xml.
set -uo pipefail
source "$(dirname "$0")/wine-env.sh"
report="$1" program="$2"
shift 2
user=pslangswitch-test
home="$WINE_HOME/user-$WINEARCH"

if ! id -u "$user" >/dev/null 2>&1; then
  useradd --system --no-create-home --home-dir "$home" --shell /usr/sbin/nologin "$user" || exit 1
fi
wine_ensure_prefix
# Copying the booted prefix takes a fraction of a second; booting one takes many.
(
  flock 9
  [ -f "$home/prefix/.ready" ] && exit 0
  rm -rf "$home"
  mkdir -p "$home"
  # Without the copied pointer to root's server directory (Debian's Wine keeps one there), and
  # under its final name only when complete, since .ready comes along.
  cp -a "$WINEPREFIX" "$home/prefix.new" && rm -f "$home/prefix.new/wineserver" &&
    chown -R "$user:" "$home" && mv "$home/prefix.new" "$home/prefix"
) 9>"$WINE_HOME/.user-lock" || exit 1

as_user() {
  runuser -u "$user" -- env HOME="$home" WINEPREFIX="$home/prefix" DISPLAY= \
    LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE= "$@"
}

# The program's output goes through a file: Wine's helper processes inherit it, and would keep
# ctest's pipe open until their server ends.
rm -f "$home/report.xml"
as_user "$WINELOADER" "$program" "$@" "--gtest_output=xml:Z:$home/report.xml" \
  </dev/null >"$home/output.txt" 2>&1
rc=$?
cat "$home/output.txt"
as_user "$WINESERVER" -k </dev/null >/dev/null 2>&1
[ -f "$home/report.xml" ] && cp "$home/report.xml" "$report"
exit $rc
