#!/usr/bin/env bash
# `make bench`: figures, no verdicts. Under Xvfb and Wine it alternates the program with a
# minimal window of the same size (tests/bench/minimal_window.cpp) and prints, as a Markdown
# table of medians and ratios: launch to visible window, executable size, and each switch on a
# 20 MB language file against a raw copy and delete of it (tests/bench/switch_bench.cpp).
# BENCH_RUNS sets the number of runs of each (15).
set -uo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
runs="${BENCH_RUNS:-15}"

scripts/bootstrap.sh || exit 1
source scripts/wine-env.sh
source scripts/sandbox.sh

die() { echo "bench: $*" >&2; exit 1; }

# Sizes are those of the shipped 32-bit build; the timings come from the build this Wine runs.
build() {
  cmake --preset "$1" >/dev/null && cmake --build --preset "$1" --target "${@:2}" >/dev/null
}
build win32 PsLangSwitch minimal_window || die "the win32 build failed"
build "$WINE_PRESET" PsLangSwitch minimal_window switch_bench || die "the $WINE_PRESET build failed"
run_dir="$root/build/$WINE_PRESET"

bench_dir="$root/build/bench"
rm -rf "$bench_dir"
make_sandbox "$bench_dir/sandbox" "$run_dir/PsLangSwitch.exe"
mkdir -p "$bench_dir/minimal"
cp "$run_dir/tests/bench/minimal_window.exe" "$bench_dir/minimal/"

# A private X server always, so that no window manager or other window takes part.
unset DISPLAY
launched=""
cleanup() {
  [ -n "$launched" ] && pkill -P "$launched" 2>/dev/null
  wine_stop_server
  xvfb_stop
}
trap cleanup EXIT
trap 'exit 130' INT TERM
xvfb_ensure || die "no X display"
wine_start_server

now_us() { echo "${EPOCHREALTIME/./}"; }

# launch DIR EXE CLASS: starts the program and polls until its window is visible; prints the
# milliseconds it took and leaves the window in $window.
launch() {
  wine_wait_desktop_gone || die "Wine's desktop did not end"
  local start deadline
  start=$(now_us)
  deadline=$((start + 30000000))
  (cd "$1" && wine "$2" </dev/null >/dev/null 2>&1) &
  launched=$!
  window=""
  while [ -z "$window" ] && [ "$(now_us)" -lt "$deadline" ]; do
    window=$(xdotool search --onlyvisible --class "$3" 2>/dev/null | head -n1)
    [ -n "$window" ] || sleep 0.01
  done
  [ -n "$window" ] || die "$2 showed no window"
  elapsed_ms=$((($(now_us) - start) / 1000))
}

# The program ends on Esc; the minimal window has no keys, so its process is ended.
close_program() {
  xdotool key --window "$window" Escape 2>/dev/null
  wait "$launched"
  launched=""
}
close_minimal() {
  local pids
  pids=$(wine_prefix_pids minimal_window.exe)
  [ -n "$pids" ] && kill $pids
  wait "$launched"
  launched=""
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2)}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf (b > 0 ? "%.2f" : "-"), a / b}'; }

echo "bench: $runs alternating launches of each ($WINE_PRESET build, $(wine --version))" >&2
program_ms=() minimal_ms=()
for run in $(seq 0 "$runs"); do
  # Run 0 warms the caches and is not counted.
  launch "$bench_dir/sandbox/PsLangSwitch" PsLangSwitch.exe pslangswitch.exe
  [ "$run" -gt 0 ] && program_ms+=("$elapsed_ms")
  close_program
  launch "$bench_dir/minimal" minimal_window.exe minimal_window.exe
  [ "$run" -gt 0 ] && minimal_ms+=("$elapsed_ms")
  close_minimal
done
launch_program=$(printf '%s\n' "${program_ms[@]}" | median)
launch_minimal=$(printf '%s\n' "${minimal_ms[@]}" | median)

echo "bench: $runs runs of each switch on a 20 MB file" >&2
wine "$run_dir/tests/bench/switch_bench.exe" "$runs" </dev/null >"$bench_dir/switch.tsv" 2>"$bench_dir/switch.err" ||
  die "switch_bench failed: $(cat "$bench_dir/switch.err")"

size_program=$(stat -c %s build/win32/PsLangSwitch.exe)
size_minimal=$(stat -c %s build/win32/tests/bench/minimal_window.exe)

echo
echo "Medians of $runs runs; $WINE_PRESET build under $(wine --version), Xvfb; $(nproc) cores."
echo
echo "| Measure | PsLangSwitch | Baseline | Ratio |"
echo "|---|---:|---:|---:|"
echo "| Launch to visible window | $launch_program ms | $launch_minimal ms (minimal window) | $(ratio "$launch_program" "$launch_minimal") |"
echo "| Executable size (32-bit) | $size_program B | $size_minimal B (minimal window) | $(ratio "$size_program" "$size_minimal") |"
tr -d '\r' <"$bench_dir/switch.tsv" | while IFS=$'\t' read -r label ms baseline baseline_ms; do
  echo "| ${label^} | $ms ms | $baseline_ms ms ($baseline) | $(ratio "$ms" "$baseline_ms") |"
done
