#!/usr/bin/env bash
# Start-up benchmark: builds the release benchmark and runs it five times in
# demo mode on the offscreen platform. Goals: first screen within 10 % of the
# two-second logo pause, peak resident memory under 80 MB.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DNOLT_TESTS=OFF -DNOLT_BENCH=ON > /dev/null
cmake --build build-bench -j"$(nproc)" --target startup_bench stick_bench 2>/dev/null \
    || cmake --build build-bench -j"$(nproc)" --target startup_bench
for run in 1 2 3 4 5; do
    QT_QPA_PLATFORM=offscreen build-bench/bin/startup_bench 2>/dev/null
done
