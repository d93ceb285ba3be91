#!/usr/bin/env bash
# Builds the Release configuration and runs every benchmark; each prints its figures, its
# targets and the ratios. Run it on a quiet machine: the figures are wall-clock times.
#   scripts/bench.sh [STARTUP_RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOTRIX_TESTS=OFF "${launcher[@]}"
cmake --build build/release -j2 --target lumotrix-startup-bench lumotrix-bare-window \
  lumotrix-dump-bench lumotrix-config-files-bench lumotrix-unnamed-sections-bench \
  lumotrix-week-model-bench lumotrix-week-chart-bench
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
echo "== start-up"
build/release/bench/lumotrix-startup-bench "${1:-5}"
echo "== controller dump"
build/release/bench/lumotrix-dump-bench
echo "== configuration files"
build/release/bench/lumotrix-config-files-bench
echo "== week model"
build/release/bench/lumotrix-week-model-bench
echo "== week page painting"
build/release/bench/lumotrix-week-chart-bench
echo "== unnamed sections in a translation"
build/release/bench/lumotrix-unnamed-sections-bench
