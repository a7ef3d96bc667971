#!/usr/bin/env bash
# Installs what is missing, builds the tool and starts it. Arguments are
# handed to the tool as its command-line switches.
set -euo pipefail
cd "$(dirname "$0")/.."
source tools/packages.sh
install_packages "${build_packages[@]}"
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DNOLT_TESTS=OFF
cmake --build build -j"$(nproc)"
exec build/bin/nolt_pgm "$@"
