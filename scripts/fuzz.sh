#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build/fuzz) and runs them.
#   scripts/fuzz.sh [TARGET] [SECONDS]
# Without TARGET every target runs in turn, each for SECONDS (default 600). Each run starts
# from the committed corpus (tests/fuzz/corpus/TARGET) and keeps what it finds new in
# build/fuzz/corpus/TARGET; crashes land in build/fuzz/findings/TARGET. A finding, once
# fixed, goes to tests/fuzz/reproducers/TARGET so that the test suite replays it.
set -euo pipefail
cd "$(dirname "$0")/.."
targets=(form_stream text_form form_load resource_file resource_script table_file dump transfer
         registry translation_file)
if [ $# -ge 1 ] && [ -n "$1" ]; then
  targets=("$1")
fi
seconds=${2:-600}

CC=clang CXX=clang++ cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLUMOTRIX_SANITIZE=ON -DLUMOTRIX_FUZZ=ON -DLUMOTRIX_WERROR=ON >/dev/null
cmake --build build/fuzz -j2 --target "${targets[@]/#/fuzz_}"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for t in "${targets[@]}"; do
  work=build/fuzz/corpus/$t
  findings=build/fuzz/findings/$t
  mkdir -p "$work" "$findings"
  echo "== $t: ${seconds}s"
  # -rss_limit_mb and -max_len keep one input from taking the machine; timeouts are findings.
  # Niced: the fuzzer takes a whole core and should not slow down builds beside it.
  if ! nice -n 10 build/fuzz/tests/fuzz/fuzz_$t "$work" "tests/fuzz/corpus/$t" \
      -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix="$findings/" -print_final_stats=1 2>"build/fuzz/$t.log"; then
    status=1
  fi
  grep -E "^stat::number_of_executed_units|^stat::new_units_added" "build/fuzz/$t.log" || true
  ls "$findings"
done
exit $status
