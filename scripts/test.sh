#!/usr/bin/env bash
# `make test`: installs what is missing, builds both presets, runs the Linux tests, then the
# Windows tests under Wine, and ends with one line "N passed, N failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/bootstrap.sh || { echo "bootstrap failed"; echo "0 passed, 1 failed"; exit 1; }
source scripts/wine-env.sh

build_failures=0
for preset in host win32; do
  rm -f "build/$preset/reports/"*.xml
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset"; }; then
    echo "build of the $preset preset failed"
    build_failures=$((build_failures + 1))
  fi
done

xvfb_ensure || exit 1
wine_start_server
for preset in host win32; do
  [ -f "build/$preset/CTestTestfile.cmake" ] && ctest --preset "$preset"
done
wine_stop_server
xvfb_stop

# Counts the cases in each test's report; a test that failed without a report of failures (a
# crash, a sanitizer report, a script's error) counts as one failure of its own.
passed=0
failed=$build_failures
for preset in host win32; do
  dir="build/$preset"
  [ -f "$dir/CTestTestfile.cmake" ] || continue
  failed_log="$dir/Testing/Temporary/LastTestsFailed.log"
  while read -r name; do
    report="$dir/reports/$name.xml"
    cases=0 bad=0
    if [ -f "$report" ]; then
      head=$(grep -m1 '<testsuites' "$report")
      attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$head"; }
      cases=$(attr tests); bad=$(( $(attr failures) + $(attr errors) ))
      cases=$(( cases - $(attr disabled) ))
    fi
    if [ -f "$failed_log" ] && grep -q ":$name\$" "$failed_log" && [ "$bad" -eq 0 ]; then
      bad=1; [ "$cases" -eq 0 ] && cases=1
    fi
    passed=$((passed + cases - bad))
    failed=$((failed + bad))
  done < <(ctest --test-dir "$dir" -N | sed -n 's/^ *Test *#[0-9]*: //p')
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
