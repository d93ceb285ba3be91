#!/usr/bin/env bash
# Counts the instructions the program and the bare Qt window of the start-up benchmark execute
# from process start to their first paint, with callgrind: unlike the benchmark's times, the
# counts do not move with the machine's load. Needs valgrind (apt-get install valgrind).
#   scripts/startup-instructions.sh [BUILD_DIR]     (default build/release, built if missing)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
if ! command -v valgrind >/dev/null; then
  echo "valgrind is needed: apt-get install valgrind" >&2
  exit 1
fi
if [ ! -x "$build/bench/lumotrix-startup-bench" ]; then
  launcher=()
  command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOTRIX_TESTS=OFF "${launcher[@]}"
fi
cmake --build "$build" -j2 --target lumotrix-startup-bench lumotrix-bare-window
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Instructions up to the return of the report after the first paint (callgrind's first dump);
# what the process does after that, its teardown, is left out. Prints the child's report line.
count() {
  local name=$1
  shift
  valgrind --tool=callgrind --dump-after='lumotrix::bench::ReportFirstPaint*' \
    --callgrind-out-file="$work/$name.%p" "$@" 2>/dev/null
  grep -h '^totals:' "$work/$name".*.1 | awk '{print $2}'
}

report=$(count program "$build/bench/lumotrix-startup-bench" --child)
read -r _ _ _ _ width height _ <<<"$(sed -n 1p <<<"$report")"
program=$(tail -n1 <<<"$report")
bare=$(count bare "$build/bench/lumotrix-bare-window" "$width" "$height" | tail -n1)
printf '%-40s %14s %14s %8s\n' "" program "bare window" ratio
printf '%-40s %14d %14d %8.2f\n' "instructions to first paint" "$program" "$bare" \
  "$(awk -v p="$program" -v b="$bare" 'BEGIN {print p / b}')"
