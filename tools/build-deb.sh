#!/usr/bin/env bash
# Builds the Debian package build-deb/tempora_<version>_<arch>.deb from a clean Release build.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh package
cmake -S . -B build-deb -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build build-deb -j"$(nproc)"
(cd build-deb && cpack -G DEB)
