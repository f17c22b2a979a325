#!/usr/bin/env bash
# `make test`: installs what is missing, builds the presets, runs the Linux tests, then the
# Windows tests under Wine, and ends with one line "N passed, N failed".
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"

scripts/bootstrap.sh || { echo "bootstrap failed"; echo "0 passed, 1 failed"; exit 1; }
source scripts/wine-env.sh

# The program is always built for 32-bit Windows; the Windows tests run on the build that this
# machine's Wine can run (see wine-env.sh), and the import check always looks at the program.
build_presets=(host win32)
[ "$WINE_PRESET" = win32 ] || build_presets+=("$WINE_PRESET")

build_failures=0
for preset in "${build_presets[@]}"; do
  rm -f "build/$preset/reports/"*.xml
  targets=()
  [ "$preset" = win32 ] && [ "$WINE_PRESET" != win32 ] && targets=(--target PsLangSwitch)
  if ! { cmake --preset "$preset" >/dev/null && cmake --build --preset "$preset" "${targets[@]}"; }; then
    echo "build of the $preset preset failed"
    build_failures=$((build_failures + 1))
  fi
done

xvfb_ensure || exit 1
wine_start_server
test_presets=(host "$WINE_PRESET")
for preset in "${test_presets[@]}"; do
  [ -f "build/$preset/CTestTestfile.cmake" ] &&
    ctest --preset "$preset" --output-junit "$root/build/$preset/reports/ctest.xml"
done
if [ "$WINE_PRESET" != win32 ] && [ -f build/win32/CTestTestfile.cmake ]; then
  test_presets+=(win32)
  ctest --preset win32 -R '^imports_check$' --output-junit "$root/build/win32/reports/ctest.xml"
fi
wine_stop_server
xvfb_stop

# Counts the cases in each test's own report; a test that failed without a report of failures
# (a crash, a sanitizer report, a script's error) counts as one failure of its own.
# attr NAME: a number from the <testsuites> line held in $head.
attr() { sed -n "s/.* $1=\"\([0-9]*\)\".*/\1/p" <<<"$head"; }
passed=0 skipped=0
failed=$build_failures
for preset in "${test_presets[@]}"; do
  summary="build/$preset/reports/ctest.xml"
  [ -f "$summary" ] || continue
  while read -r name status; do
    report="build/$preset/reports/$name.xml"
    cases=0 bad=0 skips=0
    if [ -f "$report" ]; then
      head=$(grep -m1 '<testsuites' "$report")
      cases=$(( $(attr tests) - $(attr disabled) ))
      bad=$(( $(attr failures) + $(attr errors) ))
      skips=$(grep -c 'result="skipped"' "$report")
    fi
    if [ "$status" != run ] && [ "$bad" -eq 0 ]; then
      bad=1; [ "$cases" -eq 0 ] && cases=1
    fi
    [ "$cases" -eq 0 ] && cases=1
    passed=$((passed + cases - bad - skips))
    failed=$((failed + bad))
    skipped=$((skipped + skips))
  done < <(sed -n 's/.*<testcase name="\([^"]*\)".* status="\([a-z]*\)".*/\1 \2/p' "$summary")
done

if [ "$skipped" -gt 0 ]; then
  echo "$passed passed, $failed failed, $skipped skipped"
else
  echo "$passed passed, $failed failed"
fi
[ "$failed" -eq 0 ]
