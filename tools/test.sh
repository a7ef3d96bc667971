#!/usr/bin/env bash
# Installs what is missing, builds every test with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs them all on Qt's offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
install_packages "${build_packages[@]}" "${test_packages[@]}"
fetch_test_kernel
cmake -S . -B build-test -DCMAKE_BUILD_TYPE=Debug -DNOLT_SANITIZE=ON
cmake --build build-test -j"$(nproc)"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_stack_use_after_return=1:strict_init_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-test --output-on-failure --timeout 300 -j"$(nproc)"
