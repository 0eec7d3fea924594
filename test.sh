#!/usr/bin/env bash
# Installs what is missing, builds Tempora with its tests and runs every test without a display.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh tests
cmake -S . -B build-tests -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build build-tests -j"$(nproc)"
cd build-tests
ctest --output-on-failure --timeout 300 -j"$(nproc)"
