#!/usr/bin/env bash
# Builds the benchmarks without sanitizers and runs them.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DNOLT_SANITIZE=OFF >/dev/null
cmake --build build-bench -j4 --target stick_bench
QT_QPA_PLATFORM=offscreen build-bench/bin/stick_bench
