#!/usr/bin/env bash
# `make fuzz`: builds the fuzz targets of tests/fuzz with clang's libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer (preset fuzz, build/fuzz) and runs each for FUZZ_SECONDS (60 by
# default), starting from its corpus in tests/fuzz/corpus/<target>. New inputs collect in
# build/fuzz/corpus/<target>, failing inputs in build/fuzz/findings/. Ends with one line per
# target and fails when any target found something.
#
# To fold new inputs into the repository's corpus, minimised:
#   build/fuzz/tests/fuzz/<target>_fuzz -merge=1 tests/fuzz/corpus/<target> build/fuzz/corpus/<target>
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
seconds="${FUZZ_SECONDS:-60}"

# clang with its runtime libraries (libFuzzer, the sanitizers); g++ compiles the CP936 texts.
scripts/bootstrap.sh cmake ninja-build g++ clang libclang-rt-14-dev || { echo "fuzz: bootstrap failed"; exit 1; }
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz || { echo "fuzz: build failed"; exit 1; }

mkdir -p build/fuzz/findings build/fuzz/logs
status=0 summary=()
for corpus in tests/fuzz/corpus/*/; do
  target="$(basename "$corpus")"
  fuzzer="build/fuzz/tests/fuzz/${target}_fuzz"
  work="build/fuzz/corpus/$target"
  log="build/fuzz/logs/$target.log"
  options=(-max_total_time="$seconds" -timeout=10 -print_final_stats=1
           -artifact_prefix="build/fuzz/findings/$target-")
  [ -f "tests/fuzz/$target.dict" ] && options+=(-dict="tests/fuzz/$target.dict")
  mkdir -p "$work"
  echo "fuzz: $target for ${seconds}s"
  if "$fuzzer" "${options[@]}" "$work" "$corpus" >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    summary+=("$target: ${runs:-?} runs, no findings")
  else
    tail -n 40 "$log"
    summary+=("$target: FINDING, see $log and build/fuzz/findings/")
    status=1
  fi
done
printf '%s\n' "${summary[@]}"
exit "$status"
