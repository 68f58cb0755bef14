#!/usr/bin/env bash
# Builds the program and runs it on the user's display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DQUINDLE_TESTS=OFF -DQUINDLE_BENCH=OFF >/dev/null
cmake --build build/release --target quindle -j "$(nproc)"
exec build/release/app/quindle
