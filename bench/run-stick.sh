#!/usr/bin/env bash
# Stick benchmark: builds the release benchmark and runs it. It times a full
# stick read and a full write against the simulated stick on virtual time.
# Goal: each within 10 % of its floor (one reply per 100 ms tick, plus the
# one-second wait after the identity for the read).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DNOLT_TESTS=OFF -DNOLT_BENCH=ON > /dev/null
cmake --build build-bench -j4 --target stick_bench
QT_QPA_PLATFORM=offscreen build-bench/bin/stick_bench
