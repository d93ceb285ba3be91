#!/usr/bin/env bash
# Set up, build and start the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DLUMOTRIX_TESTS=OFF
cmake --build build/release -j2
exec build/release/src/app/lumotrix "$@"
