#!/usr/bin/env bash
# Installs what is missing, builds Tempora, lays out the installation folder if absent and starts it.
set -euo pipefail
cd "$(dirname "$0")"

tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build build -j"$(nproc)" --target tempora tempora-init tempora-adif
build/tools/tempora-init
exec build/app/tempora "$@"
